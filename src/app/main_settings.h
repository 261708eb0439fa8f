#pragma once
// RMainSettings: mainSettings.ini, the interface language and the log
// chart's last view window.
//
//     [Language]
//     lang=1
//     [Scale]
//     offsetX=0
//     offsetY=0.25
//     viewSizeX=0.4
//     viewSizeY=0.08
//
// Reading is forgiving: a missing file or key, a value that does not parse
// or one outside its range gives the default. Floats are written with a
// point and read with a point or a comma (files written under a locale with
// a decimal comma). View sizes are accepted from kMinViewSize, since a size
// of 0 cannot be shown; offsets from 0; both up to 1.

#include <string>

struct RMainSettings {
    static constexpr double kMinViewSize = 0.001;

    int Language = 0;  // 0 English, 1 Russian
    double OffsetX = 0, OffsetY = 0;
    double ViewSizeX = 1, ViewSizeY = 1;

    static RMainSettings Load(const std::string& path);
    // Writes both sections through a temporary file, keeping the other
    // sections and keys of an existing file. False when it cannot be written.
    bool Save(const std::string& path) const;
};
