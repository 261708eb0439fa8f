#pragma once
// How the windows word an exception they caught: an RError (a file,
// raster, formula or calculator error) in the interface language, any
// other exception by its what(). Text quoted from a file is decoded as
// every message of the program is (UTF-8, stray bytes as Windows-1251).
//
//     } catch (const std::exception& error) {
//         ShowError(ErrorText(error, LanguageOfIndex(lang_.Language())));
//     }

#include "container/language.h"

#include <QString>

#include <exception>

QString ErrorText(const std::exception& error, RLanguage language);
