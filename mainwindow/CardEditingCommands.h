#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class EditorDropTarget;
class Prompts;
class TForm1;

// The commands that change the open card in the editor: table rows, the
// picture (from a file, the clipboard or a drop), notes from a dropped text
// file, and the way back to the saved card. Binds itself to the main window's
// actions and lives as long as the window (its child).
class CardEditingCommands : public QObject {
    Q_OBJECT
public:
    CardEditingCommands(TForm1& form, Prompts& prompts);
    ~CardEditingCommands() override;

    // Adds the row "=" below the cursor row and moves the cursor onto it.
    void Addline1Click();
    // Deletes the cursor row, never the first line nor the only one.
    void Delete2Click();
    // Asks for a picture file and loads it into the card.
    void Image1Click();
    // Loads the picture file at path (JPEG or BMP) into the card, fitted into
    // 320 x 240 and saved as the picture member in the working directory.
    void ImageSelect(const QString& path);
    // The clipboard's picture becomes the card's picture.
    void Nastzeschrnky1Click();
    // Removes the card's picture member.
    void Odstranitobrzek1Click();
    // Files dropped on the window: text files into the notes, pictures into the card.
    void WMDropFiles(const QStringList& paths);
    // Opens the card file again, dropping every unsaved change.
    void Undo1Click();

private:
    void BindCommands();
    // Enter typed in the table adds a row, once the table is done with the key.
    void AddRowAfterEnter();

    TForm1& form_;
    Prompts& prompts_;
    std::unique_ptr<EditorDropTarget> dropTarget_;
};
