#pragma once

#include <QList>
#include <QWidget>

// The tool bar: a row of bands, each a grip followed by a panel of controls.
// A band's left edge is kept in pixels within the bar; the user moves a band by
// dragging its grip, between its neighbours. The panel decides the band's
// width (grip, panel, frame line): resizing a panel resizes its band.
class BandBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int GripWidth = 7;
    // The band's right frame line, drawn beside its panel so that a panel
    // with a background of its own does not hide the band's end.
    static constexpr int FrameWidth = 1;

    explicit BandBar(QWidget* parent = nullptr);

    // Adds a band holding panel at left; bands keep the order they are added in.
    int addBand(QWidget* panel, int left);
    int bandCount() const { return int(bands_.size()); }
    QWidget* bandPanel(int band) const;
    int bandLeft(int band) const;
    void setBandLeft(int band, int left);
    int bandWidth(int band) const;

    QSize sizeHint() const override;

signals:
    // The user dragged a band to a new place.
    void bandMoved(int band);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Band {
        QWidget* panel;
        int left;
    };

    void placeBand(int band);
    int bandAtGrip(const QPoint& point) const;
    // The room band can move in without covering its neighbours.
    QPair<int, int> freeRange(int band) const;

    QList<Band> bands_;
    int dragBand_ = -1;
    int dragOffset_ = 0;
};
