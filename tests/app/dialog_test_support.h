#pragma once
// Documents and hooks for the dialog tests: a small LAS file written to a
// temporary folder and opened into an RLasCore, and the modal questions
// answered by recorders instead of message boxes.

#include "app/dialog_hooks.h"
#include "container/text_codec.h"
#include "las/las_data.h"
#include "support/temp_dir.h"
#include "view/las_core.h"

#include <QApplication>
#include <QColor>
#include <QStringList>
#include <QUrl>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

// Curves over depths 1000, 1000.5, ...; NULL is -999.25.
struct TestCurve {
    std::string name;
    std::vector<double> values;
};

inline std::unique_ptr<RLasCore> OpenDocument(const TempDir& dir, const std::vector<TestCurve>& curves,
                                              std::unique_ptr<RLasSettings> settings = nullptr)
{
    const std::size_t rows = curves.empty() ? 1 : curves.front().values.size();
    const std::string path = dir.File("doc.las");
    std::ofstream out(path, std::ios::binary);
    out << "~VERSION INFORMATION\n VERS. 2.0 : CWLS LOG ASCII STANDARD\n WRAP. NO : ONE LINE PER DEPTH\n"
        << "~WELL INFORMATION\nSTRT.M 1000.0 : START\nSTOP.M " << 1000.0 + 0.5 * double(rows - 1)
        << " : STOP\nSTEP.M 0.5 : STEP\nNULL. -999.25 : NULL\nWELL. W-1 : WELL\n"
        << "~CURVE INFORMATION\nDEPT.M : DEPTH\n";
    for (const TestCurve& curve : curves)
        out << curve.name << ".U : " << curve.name << "\n";
    out << "~A\n";
    for (std::size_t row = 0; row < rows; ++row) {
        out << 1000.0 + 0.5 * double(row);
        for (const TestCurve& curve : curves)
            out << " " << curve.values[row];
        out << "\n";
    }
    out.close();
    auto data = std::make_unique<RLasData>();
    data->LoadFromLas(path);
    auto core = std::make_unique<RLasCore>();
    core->SetData(std::move(data), std::move(settings));
    core->Prepare(RPrepareMode::Opened);
    return core;
}

// A Russian well (company, field, well name) with the curves ГК (мкР/ч, 40,
// 41, 42) and ПС (мВ, 2.3, 2.31, 2.32) over 1000..1001 m, its text in
// `encoding`: enough Russian for the code page to be told from the others.
inline std::string WriteRussianLas(const TempDir& dir, const std::string& name, TextCodec::Encoding encoding)
{
    const std::string text =
        "~VERSION INFORMATION\n VERS.   2.0 : CWLS LOG ASCII STANDARD\n WRAP.   NO : ONE LINE PER DEPTH STEP\n"
        "~WELL INFORMATION\n STRT.M 1000 : START DEPTH\n STOP.M 1001 : STOP DEPTH\n STEP.M 0.5 : STEP\n"
        " NULL.   -999.25 : NULL VALUE\n COMP.   ООО Геофизика : COMPANY\n"
        " FLD .   Самотлорское месторождение : FIELD\n WELL.   Самотлорская 125-бис : WELL\n"
        "~CURVE INFORMATION\n DEPT.M : DEPTH\n ГК  .мкР/ч : гамма-каротаж\n"
        " ПС  .мВ : потенциал самопроизвольной поляризации\n"
        "~A\n1000 40.00 2.300\n1000.5 41.00 2.310\n1001 42.00 2.320\n";
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << TextCodec::EncodeFromUtf8(text, encoding);
    return path;
}

// The LAS file at `path` opened as the viewer opens it.
inline std::unique_ptr<RLasCore> OpenLasFile(const std::string& path)
{
    return RLasCore::Open(path, std::string(), {});
}

// A modal dialog closes the open pop-up, as the platform's dialogs do.
inline void CloseActivePopup()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->hide();
}

// Records the messages shown and answers colour and Yes/No questions from
// queues set by the test. Puts the platform dialogs back when it goes.
class HookRecorder {
public:
    HookRecorder()
    {
        RDialogHooks::ShowError = [this](QWidget*, const QString& text) {
            CloseActivePopup();
            errors << text;
        };
        RDialogHooks::Inform = [this](QWidget*, const QString& title, const QString& text) {
            informed << title + "|" + text;
        };
        RDialogHooks::Ask = [this](QWidget*, const QString& title, const QString& text) {
            asked << title + "|" + text;
            return answerYes;
        };
        RDialogHooks::PickColor = [this](QWidget*, const QColor& initial) {
            CloseActivePopup();
            presets.push_back(initial);
            if (colors.empty())
                return QColor();
            const QColor color = colors.front();
            colors.erase(colors.begin());
            return color;
        };
        RDialogHooks::OpenUrl = [this](const QUrl& url) {
            urls.push_back(url);
            return true;
        };
    }
    ~HookRecorder() { RDialogHooks::Reset(); }

    QStringList errors, informed, asked;
    bool answerYes = false;
    std::vector<QColor> colors;   // answers of the colour dialog, in order; none: cancelled
    std::vector<QColor> presets;  // what each colour dialog was preset to
    std::vector<QUrl> urls;
};
