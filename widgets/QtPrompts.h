#pragma once

#include "core/Prompts.h"

// The real boxes and dialogs, titled with the application title.
class QtPrompts : public Prompts {
public:
    void message(const QString& text) override;
    void error(const QString& text) override;
    bool ask(const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override;
    QString openFile(const QString& title, const QStringList& filters) override;
    QString saveFile(const QString& title, const QString& proposedName,
                     const QStringList& filters) override;
    bool chooseFont(QFont& font, qint32& storedColor) override;
    bool setUpPrinter(QPrinter& printer) override;
};
