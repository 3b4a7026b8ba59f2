#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

// Prompts for tests: records every text shown and answers from queues. A
// question with no queued answer is answered No; an input box with no queued
// answer returns the proposed text (as Cancel does); a file dialog with no
// queued answer is cancelled.
class ScriptedPrompts : public Prompts {
public:
    QStringList messages;  // plain messages, in order
    QStringList errors;    // texts shown by the standard error box
    QStringList questions; // questions asked, in order
    QStringList inputs;    // "caption|prompt|proposed" of every input box

    QQueue<bool> answers;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    QQueue<QString> saveFileAnswers; // paths chosen in save-file dialogs
    QQueue<QFont> fontAnswers;
    QQueue<qint32> fontColorAnswers; // taken with a font answer; none keeps the colour
    bool printerSetupAnswer = false;

    QString fileDialogTitle; // how the last file dialog was set up
    QStringList fileDialogFilters;
    // "title|proposed name|filters" of every save-file dialog, filters joined by ";;".
    QStringList saveFileDialogs;
    QList<QPrinter*> printerSetUps; // the printer of every printer set-up, in order

    // Called as each plain message is shown, to look at the windows behind it.
    std::function<void()> onMessage;

    void message(const QString& text) override {
        messages << text;
        if (onMessage)
            onMessage();
    }
    void error(const QString& text) override { errors << text; }
    bool ask(const QString& text) override {
        questions << text;
        return answers.isEmpty() ? false : answers.dequeue();
    }
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override {
        inputs << caption + u'|' + prompt + u'|' + proposed;
        return inputAnswers.isEmpty() ? proposed : inputAnswers.dequeue();
    }
    QString openFile(const QString& title, const QStringList& filters) override {
        fileDialogTitle = title;
        fileDialogFilters = filters;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
    }
    QString saveFile(const QString& title, const QString& proposedName,
                     const QStringList& filters) override {
        saveFileDialogs << title + u'|' + proposedName + u'|' + filters.join(QStringLiteral(";;"));
        return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.dequeue();
    }
    bool chooseFont(QFont& font, qint32& storedColor) override {
        if (fontAnswers.isEmpty())
            return false;
        font = fontAnswers.dequeue();
        if (!fontColorAnswers.isEmpty())
            storedColor = fontColorAnswers.dequeue();
        return true;
    }
    bool setUpPrinter(QPrinter& printer) override {
        printerSetUps << &printer;
        return printerSetupAnswer;
    }

    // Everything shown so far, messages and errors, for a quick check.
    QStringList allShown() const { return messages + errors; }
};
