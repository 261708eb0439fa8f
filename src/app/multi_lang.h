#pragma once
// RMultiLang: the interface texts in English (language 0) and Russian
// (language 1): a fixed table of 75 pairs, one getter per pair returning
// the text of the current language. Texts are UTF-8; "%1" marks where a
// name or a number goes (QString::arg).

#include <cstdint>
#include <string>

class RMultiLang {
public:
    static constexpr int kPairCount = 75;

    explicit RMultiLang(std::uint8_t language = 0) : language_(language) {}

    std::uint8_t Language() const { return language_; }
    // 0 English, 1 Russian; the caller keeps the index in range.
    void SetLanguage(std::uint8_t language) { language_ = language; }

    // Pair `index` (0-based, table order) in the current language.
    const std::string& Text(int index) const;

    const std::string& MainCaption() const { return Text(0); }  // "Well logs viewer"
    const std::string& Scale() const { return Text(1); }  // "Scale"
    const std::string& OpenLasFile() const { return Text(2); }  // "Open las-file"
    const std::string& Save() const { return Text(3); }  // "Save"
    const std::string& Inscribe() const { return Text(4); }  // "Inscribe"
    const std::string& Information() const { return Text(5); }  // "Information"
    const std::string& About() const { return Text(6); }  // "About"
    const std::string& Help() const { return Text(7); }  // "Help"
    const std::string& Update() const { return Text(8); }  // "Update"
    const std::string& MapCalculator() const { return Text(9); }  // "Map calculator"
    const std::string& CurveName() const { return Text(10); }  // "Curve name:"
    const std::string& Formula() const { return Text(11); }  // "Formula:"
    const std::string& Cancel() const { return Text(12); }  // "Cancel"
    const std::string& CrossPlot() const { return Text(13); }  // "Cross-plot"
    const std::string& ChooseCurves() const { return Text(14); }  // "Choose the curves for plotting the crossplot"
    const std::string& XAxis() const { return Text(15); }  // "X-axis"
    const std::string& YAxis() const { return Text(16); }  // "Y-axis"
    const std::string& Color() const { return Text(17); }  // "Color"
    const std::string& FirstGradientColor() const { return Text(18); }  // "First gradient color"
    const std::string& SecondGradientColor() const { return Text(19); }  // "Second gradient color"
    const std::string& MarkerSize() const { return Text(20); }  // "Marker size"
    const std::string& MarkerType() const { return Text(21); }  // "Marker type"
    const std::string& Circle() const { return Text(22); }  // "Circle"
    const std::string& Square() const { return Text(23); }  // "Square"
    const std::string& Diamond() const { return Text(24); }  // "Diamond"
    const std::string& Triangle() const { return Text(25); }  // "Triangle"
    const std::string& Curve() const { return Text(26); }  // "Curve"
    const std::string& Appearance() const { return Text(27); }  // "Appearance"
    const std::string& CurveColor() const { return Text(28); }  // "Color"
    const std::string& Track() const { return Text(29); }  // "Track"
    const std::string& Fill() const { return Text(30); }  // "Fill"
    const std::string& Note() const { return Text(31); }  // "Note"
    const std::string& NoFill() const { return Text(32); }  // "No fill"
    const std::string& FillByConstant() const { return Text(33); }  // "Fill by constant"
    const std::string& FillByCurve() const { return Text(34); }  // "Fill by curve"
    const std::string& Constant() const { return Text(35); }  // "Constant"
    const std::string& FillSettings() const { return Text(36); }  // "Fill settings"
    const std::string& FillColor() const { return Text(37); }  // "Fill color"
    const std::string& FillCondition() const { return Text(38); }  // "Fill condition"
    const std::string& MoreOrEqual() const { return Text(39); }  // "More or equal"
    const std::string& LessOrEqual() const { return Text(40); }  // "Less or equal"
    const std::string& LessThan() const { return Text(41); }  // "Less than"
    const std::string& GreaterThan() const { return Text(42); }  // "Greater than"
    const std::string& FullFill() const { return Text(43); }  // "Full Fill"
    const std::string& FillFrom() const { return Text(44); }  // "Fill From"
    const std::string& Depth() const { return Text(45); }  // "Depth"
    const std::string& Curves() const { return Text(46); }  // "Curves"

    const std::string& MiniMap() const { return Text(47); }  // "Mini map"
    const std::string& CannotOpenFile() const { return Text(48); }  // "Cannot open the file "
    const std::string& NoCurvesInFile() const { return Text(49); }  // "The file has no curves: "
    const std::string& NoRowsInFile() const { return Text(50); }  // "The file has no data rows: "
    const std::string& ReadingNotes() const { return Text(51); }  // "Notes on reading %1:"
    const std::string& ReadingFile() const { return Text(52); }  // "Reading %1…"
    const std::string& NoFileOpen() const { return Text(53); }  // "No LAS file is open"
    const std::string& CannotWriteFile() const { return Text(54); }  // "Cannot write the file "
    const std::string& WritingNotes() const { return Text(55); }  // "Notes on writing %1:"
    const std::string& MoreMessages() const { return Text(56); }  // "… %1 more"
    const std::string& LasFilter() const { return Text(57); }  // "LAS files (*.las);;All files (*)"
    const std::string& GoToDepth() const { return Text(58); }  // "Go to depth"
    const std::string& DepthToShow() const { return Text(59); }  // "Depth to show:"

    // The update check and the help and mail launchers.
    const std::string& UpdateSystem() const { return Text(60); }  // "Update system"
    const std::string& UpdaterNotFound() const { return Text(61); }  // "Update program not found: %1"
    const std::string& UpdaterNotStarted() const { return Text(62); }  // "Could not start the update program %1"
    const std::string& UpdaterNoAnswer() const { return Text(63); }  // "The update program did not answer within %1 s."
    const std::string& UpdaterCrashed() const { return Text(64); }  // "The update program crashed."
    const std::string& UpdateAvailable() const { return Text(65); }  // "Updates are available. Update now?"
    const std::string& NoUpdates() const { return Text(66); }  // "No updates found"
    const std::string& HelpNotFound() const { return Text(67); }  // "Help file not found: %1"
    const std::string& HelpNotOpened() const { return Text(68); }  // "Could not open the help file %1"
    const std::string& MailNotOpened() const { return Text(69); }  // "Could not open the mail program for %1"

    // The curve settings dialog.
    const std::string& CurvesSettings() const { return Text(70); }  // "Curves settings"
    const std::string& FillConstantNotNumber() const { return Text(71); }  // "The fill constant must be a number: \"%1\"."
    const std::string& TrackNotWhole() const { return Text(72); }  // "The track of curve %1 must be a whole number: \"%2\"."
    const std::string& TrackOutOfRange() const { return Text(73); }  // "The track of curve %1 must be from 0 to %2: \"%3\"."
    const std::string& TrackHint() const { return Text(74); }  // "Track: a whole number from 0 to %1 (0 or empty: a track of its own)"

private:
    std::uint8_t language_;
};
