#pragma once
// RScaleTrack: the scale panel beside the log chart ("ScalePanel"): its
// caption ("lblScaleName"), the scale the chart is drawn at
// ("lblScaleValue"), the track ("TBScale", 1:100 at the top) and a
// clickable "1:N" label ("lblValueN") beside the track's position of each
// of ViewScale::kScales.
//
//     RScaleTrack track(parent);
//     connect(&track, &RScaleTrack::ScaleChosen, ...);  // the user chose 1:n
//     track.Setup();                                    // once the window has its size
//     track.ShowScale(chartScale);                      // what the chart shows
//
// The panel shows a scale without reporting it, and reports the scales the
// user chooses: by moving the track (the scale of its position) or by
// clicking a label (that label's scale, even one beyond the track's end).

#include <QWidget>

#include <vector>

class QLabel;
class QSlider;

class RScaleTrack : public QWidget {
    Q_OBJECT
public:
    explicit RScaleTrack(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    // The track's range and the labels; until then the track keeps its
    // design values.
    void Setup();
    bool IsSetUp() const { return !labels_.empty(); }

    // The chart is drawn at 1:scale: the track at the nearest position it
    // has, the value label the scale rounded. Nothing is reported.
    void ShowScale(double scale);
    // As a click on the label of `scale`.
    void ChooseScale(int scale);

signals:
    void ScaleChosen(int scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceLabels();

    QLabel* lblScaleName_;
    QLabel* lblScaleValue_;
    QSlider* TBScale_;
    std::vector<QLabel*> labels_;
};
