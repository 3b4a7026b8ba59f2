#pragma once

#include <QComboBox>
#include <QtGlobal>

// A colour drop-down: a custom colour (chosen in the colour dialog), the
// standard and extended colours by name, and the system colours. It holds the
// stored form of the colour (settings/StoredColor.h), so a system colour keeps
// its negative value and follows the desktop's palette.
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

    // The stored value of the selected entry.
    qint32 selected() const;
    // Selects the entry holding value; a value that no named entry holds
    // becomes the custom entry.
    void setSelected(qint32 value);

    static constexpr int kCustomIndex = 0;

private:
    void addColorEntry(const QString& name, qint32 value);
    void setCustomValue(qint32 value);
    void onActivated(int index);

    // The entry selected before the user's latest pick, to return to when the
    // colour dialog is cancelled.
    int confirmedIndex_ = kCustomIndex;
};
