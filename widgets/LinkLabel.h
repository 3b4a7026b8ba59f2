#pragma once

#include "widgets/ClickableLabel.h"

// A clickable label in link style: blue, underlined, with a hand cursor.
class LinkLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
};
