#include "core/StoredColor.h"
#include "mainwindow/Application.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "search/TFindForm.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using testcards::bitmapBytes;
using testcards::fileBytes;
using testcards::readCard;
using testcards::writeCard;

namespace {

// One showing of the search dialog, as the user saw it.
struct Shown {
    bool resultsPage;
    QString edit1;
    QString heading;
    QStringList results;
};

// Plays the user at the modal search dialog: each time it comes up, records
// what it shows, does the scripted action and closes it with Esc unless the
// action did.
class DialogUser : public QObject {
public:
    explicit DialogUser(TFindForm& form) : form_(form) { form_.installEventFilter(this); }

    QList<Shown> shown;
    std::function<void(TFindForm&)> action;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Acts once the dialog's own event loop runs.
        if (watched == &form_ && event->type() == QEvent::Show)
            QTimer::singleShot(0, this, [this] { useShownDialog(); });
        return false;
    }

private:
    void useShownDialog() {
        if (!form_.isVisible())
            return;
        QStringList results;
        for (int row = 0; row < form_.lBox->count(); ++row)
            results << form_.lBox->item(row)->text();
        shown << Shown{form_.Edit1->isHidden() && form_.Panel2->isVisible(), form_.Edit1->text(),
                       form_.Label7->text(), results};
        if (action)
            action(form_);
        if (form_.isVisible())
            QTest::keyClick(&form_, Qt::Key_Escape);
    }

    TFindForm& form_;
};

// The whole program with a user at its search dialog, its main window shown
// and active.
struct Program : AppFixture {
    explicit Program(const TestProgramDir& dir)
        : AppFixture(dir), findForm(qobject_cast<TFindForm*>(dialog<TFindForm>(application))),
          user(std::make_unique<DialogUser>(*findForm)) {
        show();
    }
    QString title() const { return form().windowTitle(); }

    TFindForm* findForm = nullptr;
    std::unique_ptr<DialogUser> user;
};

QString titleOf(int number, const QString& name) {
    return QStringLiteral("Pelvarin Kartotéka - (%1) %2").arg(number).arg(name);
}

// Four cards in list order; "praha" is in the first, second and fourth.
void WritePragueCards(const TestProgramDir& dir) {
    writeCard(dir, QStringLiteral("Alena"), {QStringLiteral("Obec=Praha 4")});
    writeCard(dir, QStringLiteral("Bedřich"), {QStringLiteral("Obec=Kolín")},
              QStringLiteral("Pracuje v Praha-Libeň."));
    writeCard(dir, QStringLiteral("Cyril"), {QStringLiteral("Obec=Brno")},
              QStringLiteral("Byl v Praze."));
    writeCard(dir, QStringLiteral("Dana"), {}, QStringLiteral("Narozena v Plzni\r\nžije v PRAHA"));
}

// F3 as the user presses it: after the event loop has run, once the main
// window has the keyboard again.
void PressF3(QWidget* target) {
    QTRY_COMPARE(QApplication::activeWindow(), target->window());
    QTest::keyClick(target, Qt::Key_F3);
}

} // namespace

// The search wired into the whole program: the quick-search box and F3, the
// advanced-search dialog, and opening results into the card editor.
class TestSearchMainWindow : public QObject {
    Q_OBJECT
private slots:
    void quickSearchWalksThroughTheResults() {
        TestProgramDir dir;
        WritePragueCards(dir);
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));

        QTest::keyClicks(control<QLineEdit>(program.form(), "Edit2"), QStringLiteral("praha"));
        QTest::keyClick(control<QLineEdit>(program.form(), "Edit2"), Qt::Key_Return);
        QCOMPARE(program.user->shown.size(), 1);
        const Shown first = program.user->shown.first();
        QVERIFY(first.resultsPage);
        QCOMPARE(first.heading, QStringLiteral("Nalezeno 3 výsledků."));
        QCOMPARE(first.edit1, QStringLiteral("praha"));
        QCOMPARE(first.results,
                 QStringList({"Alena.krt", QStringLiteral("Bedřich.krt"), "Dana.krt"}));
        QVERIFY(!program.card().CardLoaded());

        const QStringList titles = {titleOf(1, QStringLiteral("Alena")),
                                    titleOf(2, QStringLiteral("Bedřich")),
                                    titleOf(4, QStringLiteral("Dana"))};
        for (const QString& title : titles) {
            PressF3(control<QLineEdit>(program.form(), "Edit2"));
            QCOMPARE(program.title(), title);
            QVERIFY(program.card().CardLoaded());
            QVERIFY(program.findForm->isHidden());
        }
        QCOMPARE(control<NotesEdit>(program.form(), "Memo1")->text(),
                 QStringLiteral("Narozena v Plzni\r\nžije v PRAHA"));
        QCOMPARE(program.user->shown.size(), 1);

        // After the last result the box is cleared and the empty dialog offered.
        PressF3(control<QLineEdit>(program.form(), "Edit2"));
        QCOMPARE(control<QLineEdit>(program.form(), "Edit2")->text(), QString());
        QCOMPARE(program.user->shown.size(), 2);
        QVERIFY(!program.user->shown[1].resultsPage);
        QCOMPARE(program.user->shown[1].edit1, QString());
        QCOMPARE(program.title(), titles.last());
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void openingAResultFromTheDialog_data() {
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved without a question") << true << false << false << true;
        QTest::newRow("asked, yes") << false << true << true << true;
        QTest::newRow("asked, no") << false << false << true << false;
    }
    void openingAResultFromTheDialog() {
        QFETCH(bool, autoSave);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, saved);
        TestProgramDir dir;
        WritePragueCards(dir);
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));
        program.state().AutoSave = autoSave;
        program.prompts.answers.enqueue(answer);
        program.open(2);
        QTest::keyClicks(control<NotesEdit>(program.form(), "Memo1"), QStringLiteral(" Znovu."));
        QVERIFY(program.card().Modified());

        bool closedOnOpening = false;
        program.user->action = [&](TFindForm& dialog) {
            QTest::keyClicks(dialog.Edit1, QStringLiteral("praha"));
            QTest::mouseClick(dialog.SpeedButton2, Qt::LeftButton);
            QListWidgetItem* dana = dialog.lBox->item(2);
            const QPoint centre = dialog.lBox->visualItemRect(dana).center();
            QTest::mouseClick(dialog.lBox->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(dialog.lBox->viewport(), Qt::LeftButton, {}, centre);
            closedOnOpening = dialog.isHidden();
        };
        control<QToolButton>(program.form(), "SpeedButton13")->click();

        QCOMPARE(program.user->shown.size(), 1);
        QVERIFY(!program.user->shown[0].resultsPage);
        QVERIFY(closedOnOpening);
        QCOMPARE(program.title(), titleOf(4, QStringLiteral("Dana")));
        QVERIFY(!program.card().Modified());
        QCOMPARE(program.prompts.questions.size(), asked ? 1 : 0);
        const QByteArray notes = readCard(dir, QStringLiteral("Cyril.krt")).value("Cyril.txt");
        QCOMPARE(notes.contains(" Znovu."), saved);
        // The dialog's search became the quick search's text and the chosen
        // result its position: the last one, so F3 offers a new search.
        QCOMPARE(control<QLineEdit>(program.form(), "Edit2")->text(), QStringLiteral("praha"));
        program.user->action = nullptr;
        PressF3(control<QLineEdit>(program.form(), "Edit2"));
        QCOMPARE(control<QLineEdit>(program.form(), "Edit2")->text(), QString());
        QCOMPARE(program.user->shown.size(), 2);
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void aResultIsNotOpenedWhenTheOpenCardCannotBeSaved() {
        TestProgramDir dir;
        WritePragueCards(dir);
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));
        program.open(0);
        control<NotesEdit>(program.form(), "Memo1")->insertPlainText(QStringLiteral("東京"));
        control<QLineEdit>(program.form(), "Edit2")->setText(QStringLiteral("praha"));
        PressF3(control<QLineEdit>(program.form(), "Edit2")); // searches
        PressF3(control<QLineEdit>(program.form(),
                                   "Edit2")); // opens Alena itself: saved first, which fails

        QCOMPARE(program.prompts.messages.size(), 1);
        QVERIFY(program.prompts.messages[0].startsWith(QStringLiteral("Kartu nelze uložit")));
        // The refusal is the only box: no second one for the stopped command.
        QVERIFY(program.prompts.errors.isEmpty());
        QVERIFY(program.card().Modified());
        QVERIFY(
            control<NotesEdit>(program.form(), "Memo1")->text().endsWith(QStringLiteral("東京")));
        QCOMPARE(program.title(), titleOf(1, QStringLiteral("Alena")));
    }

    void searchLeavesTheUnsavedPictureInPlace() {
        TestProgramDir dir;
        writeCard(dir, QStringLiteral("Foto"), {QStringLiteral("Obec=Praha")}, QString(),
                  bitmapBytes(64, 48, Qt::red));
        writeCard(dir, QStringLiteral("Jiná"), {}, QStringLiteral("praha"));
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));
        program.open(0);
        // A picture chosen but not yet saved lives only in the working directory.
        const QByteArray chosen = bitmapBytes(320, 240, Qt::blue);
        const QString picture = dir.workDir() + QStringLiteral("Foto1.bmp");
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(chosen);
        file.close();
        program.editor().showPicture(picture);
        program.card().markModified();
        const QStringList workFiles = QDir(dir.workDir()).entryList(QDir::Files);

        QTest::keyClicks(control<QLineEdit>(program.form(), "Edit2"), QStringLiteral("praha"));
        QTest::keyClick(control<QLineEdit>(program.form(), "Edit2"), Qt::Key_Return);
        QCOMPARE(program.user->shown.size(), 1);
        QCOMPARE(program.user->shown[0].results,
                 QStringList({"Foto.krt", QStringLiteral("Jiná.krt")}));

        QCOMPARE(QDir(dir.workDir()).entryList(QDir::Files), workFiles);
        QCOMPARE(fileBytes(picture), chosen);
        QVERIFY(program.card().Modified());
        QCOMPARE(control<PictureBox>(program.form(), "Image1")->picture().size(), QSize(320, 240));

        // Opening the first result, the card itself, saves the chosen picture.
        PressF3(control<QLineEdit>(program.form(), "Edit2"));
        QCOMPARE(readCard(dir, QStringLiteral("Foto.krt")).value("Foto1.bmp"), chosen);
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    void f3WorksWhereverTheFocusIs_data() {
        QTest::addColumn<QString>("focused");
        QTest::newRow("quick search box") << QStringLiteral("Edit2");
        QTest::newRow("table") << QStringLiteral("ListB");
        QTest::newRow("table cell editor") << QStringLiteral("cell");
        QTest::newRow("notes") << QStringLiteral("Memo1");
    }
    void f3WorksWhereverTheFocusIs() {
        QFETCH(QString, focused);
        TestProgramDir dir;
        WritePragueCards(dir);
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));
        program.open(0);
        control<QLineEdit>(program.form(), "Edit2")->setText(QStringLiteral("praha"));
        if (focused == QStringLiteral("cell")) {
            control<KeyValueGrid>(program.form(), "ListB")->setFocus();
            control<KeyValueGrid>(program.form(), "ListB")
                ->edit(control<KeyValueGrid>(program.form(), "ListB")->model()->index(0, 1));
            QVERIFY(control<KeyValueGrid>(program.form(), "ListB")
                        ->isAncestorOf(QApplication::focusWidget()));
        } else {
            program.form().findChild<QWidget*>(focused)->setFocus();
            QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        }

        PressF3(QApplication::focusWidget());
        QCOMPARE(program.user->shown.size(), 1);
        QVERIFY(program.user->shown[0].resultsPage);
        QCOMPARE(program.user->shown[0].results.size(), 3);
    }

    void boxKeysLiveAlongsideTheWindowShortcuts() {
        TestProgramDir dir;
        WritePragueCards(dir);
        Program program(dir);
        QVERIFY(QTest::qWaitForWindowActive(&program.form()));
        program.open(2);
        QLineEdit* box = control<QLineEdit>(program.form(), "Edit2");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("praha"));

        // Home and End stay the navigation commands.
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(program.title(), titleOf(1, QStringLiteral("Alena")));
        QTest::keyClick(box, Qt::Key_End);
        QCOMPARE(program.title(), titleOf(4, QStringLiteral("Dana")));
        QCOMPARE(box->text(), QStringLiteral("praha"));
        QVERIFY(program.user->shown.isEmpty());

        // Esc clears the box, Enter and a double-click search.
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QVERIFY(program.user->shown.isEmpty());
        QTest::keyClicks(box, QStringLiteral("brno"));
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(program.user->shown.size(), 1);
        QTest::mouseDClick(box, Qt::LeftButton);
        QCOMPARE(program.title(), titleOf(3, QStringLiteral("Cyril")));
    }

    void dialogFollowsTheBackgroundColour() {
        TestProgramDir dir;
        Program program(dir);
        QCOMPARE(program.findForm->parentWidget(), &program.form());
        const qint32 green = 0x00FF00;
        program.form().applyBackColor(green);
        QCOMPARE(program.findForm->palette().color(QPalette::Window),
                 storedcolor::colorFromStored(green));
        QCOMPARE(program.findForm->Panel2->palette().color(QPalette::Window),
                 storedcolor::colorFromStored(green));
    }
};

QTEST_MAIN(TestSearchMainWindow)
#include "tst_search_mainwindow.moc"
