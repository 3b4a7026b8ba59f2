#pragma once

// Folder rule: history/ may include storage/, core/, widgets/ and history/ only.

#include "storage/CardVersionReader.h"

#include <QDialog>
#include <QList>
#include <optional>

class OpenCard;
class Prompts;
class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QToolButton;
class QTreeWidget;
struct AppState;

// The dialog "Historie karty": lists the open card's earlier versions, newest
// first, with the local date and time of each save and its row count, and
// shows the selected one read-only (table, notes, a small picture). "Obnovit"
// (Enter) puts the selected version into the editor as unsaved changes and
// closes the dialog; "Zavřít" (Esc) closes it. A version that cannot be read
// is listed as unreadable and cannot be restored. Created once and reused.
class THistoryForm : public QDialog {
    Q_OBJECT
public:
    THistoryForm(AppState& state, OpenCard& card, Prompts& prompts, QWidget* parent = nullptr);

    // Reads the open card's versions and shows the dialog modally; the preview
    // table takes the editor's column titles.
    void showForOpenCard(const QStringList& columnTitles);
    // Reads the open card's versions into the list and selects the newest,
    // without showing the dialog.
    void loadVersions();

    // The version list's rows, newest first.
    const QList<CardVersionSummary>& listedVersions() const { return versions_; }
    int selectedVersion() const;
    void selectVersion(int row);
    // The selected version can be restored: it was read whole.
    bool canRestore() const { return content_.has_value(); }
    // Restores the selected version (OpenCard::restoreVersion) and closes the
    // dialog; nothing for an unreadable version.
    void restoreSelected();

    // The colour setting `BackColor`.
    void setBackColor(const QColor& color);

    QLabel* Heading;
    QTreeWidget* VersionList;
    QLabel* EmptyNote; // shown over the list when the card has no versions
    QTableWidget* PreviewTable;
    QPlainTextEdit* PreviewNotes;
    QLabel* PreviewPicture;
    QLabel* PreviewProblem; // the reading error of an unreadable version
    QToolButton* RestoreButton;
    QToolButton* CloseButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildList();
    void buildPreview();
    void buildButtons();
    void fillList();
    void showSelected();
    void showContent(const CardVersionContent& content);
    void showUnreadable(int row, const QString& problem);
    void clearPreview();

    AppState& state_;
    OpenCard& card_;
    Prompts& prompts_;
    QList<CardVersionSummary> versions_;
    // The selected version as read whole; none for an unreadable one.
    std::optional<CardVersionContent> content_;
};
