#pragma once

#include <QImage>
#include <QWidget>

// The picture box: draws its picture stretched to its own size, shows a hand
// cursor and reports clicks.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    // Shows the Windows bitmap file at path; false (and nothing changed) when
    // the file is not a readable bitmap.
    bool LoadBitmapFile(const QString& path);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool pressed_ = false;
};
