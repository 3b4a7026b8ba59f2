#include "core/UnreadableCardsMessage.h"
#include "search/TFindForm.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/TestSearchHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestFindForm : public QObject {
    Q_OBJECT

    TestSearchHost* host_ = nullptr;
    ScriptedPrompts* prompts_ = nullptr;
    TFindForm* form_ = nullptr;

    bool onInputPage() const {
        return !form_->Edit1->isHidden() && form_->Panel2->isHidden() &&
               form_->Label7->text() == "Hledat:";
    }
    bool onResultsPage() const { return form_->Edit1->isHidden() && !form_->Panel2->isHidden(); }
    QStringList results() const {
        QStringList items;
        for (int i = 0; i < form_->lBox->count(); ++i)
            items << form_->lBox->item(i)->text();
        return items;
    }
    void searchFor(const QString& text) {
        form_->Edit1->setText(text);
        form_->SpeedButton2->click();
    }

private slots:
    void init() {
        host_ = new TestSearchHost;
        prompts_ = new ScriptedPrompts;
        form_ = new TFindForm(*host_, *prompts_);
    }
    void cleanup() {
        delete form_;
        delete prompts_;
        delete host_;
    }

    void createdOnTheInputPage() {
        QCOMPARE(form_->windowTitle(), QString("Najít soubor"));
        QCOMPARE(form_->size(), QSize(271, 224));
        QVERIFY(onInputPage());
        QVERIFY(form_->InFil->isChecked());
        QVERIFY(!form_->InNam->isChecked());
        for (QCheckBox* box : {form_->CaSen, form_->FullNam, form_->WholWorld}) {
            QVERIFY(box->isHidden());
            QVERIFY(!box->isChecked());
        }
        QVERIFY(!form_->FullNam->isEnabled());
        QVERIFY(form_->CaSen->isEnabled() && form_->WholWorld->isEnabled());
        QCOMPARE(form_->SpeedButton2->text(), QString("Hledat"));
        QCOMPARE(form_->SpeedButton3->text(), QString("Zrušit"));
        QCOMPARE(form_->Label4->text(), QString("Nápověda"));
    }

    void modeSwitchesTheOptions() {
        form_->InNam->click();
        QVERIFY(form_->FullNam->isEnabled());
        QVERIFY(!form_->CaSen->isEnabled() && !form_->WholWorld->isEnabled());
        form_->InFil->click();
        QVERIFY(!form_->FullNam->isEnabled());
        QVERIFY(form_->CaSen->isEnabled() && form_->WholWorld->isEnabled());
    }

    void showTakesTheQuickSearchText() {
        form_->Edit1->setText("old");
        host_->edit2.setText("  praha ");
        form_->show();
        QCOMPARE(form_->Edit1->text(), QString("  praha "));
        form_->reject();
        host_->edit2.setText("   ");
        form_->show();
        QCOMPARE(form_->Edit1->text(), QString());
    }

    void searchShowsTheResults() {
        host_->writeCard("Novák", {"Obec=Praha"}, "Praha\r\npraha 4\r\nPRAHA");
        host_->writeCard("Svoboda", {"Obec=Brno"}, "");
        host_->listCardDir();
        searchFor("praha");
        QVERIFY(onResultsPage());
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 4 výsledků."));
        QCOMPARE(results(), QStringList(4, "Novák.krt"));
        QCOMPARE(form_->selectedResult(), -1);
        QCOMPARE(form_->Progress->maximum(), 2);
        QCOMPARE(form_->Progress->value(), 2);
        QCOMPARE(host_->edit2.text(), QString("praha"));
        QVERIFY(!form_->session().SearchRunning);
        QVERIFY(prompts_->allShown().isEmpty());
    }

    void emptyTextAndEmptyListGiveTheZeroLine() {
        searchFor("praha");
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 0 výsledků."));
        QCOMPARE(form_->Progress->value(), 0);
        // An empty range would turn the bar into a busy indicator.
        QVERIFY(form_->Progress->maximum() > form_->Progress->minimum());

        host_->writeCard("A", {"k=v"}, "text");
        host_->listCardDir();
        searchFor("");
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 0 výsledků."));
        QCOMPARE(form_->lBox->count(), 0);
    }

    void nameModeFindsEveryCardByItsExtension() {
        for (const char* name : {"A", "B", "C"})
            host_->writeCard(name, {}, "");
        host_->listCardDir();
        form_->InNam->click();
        searchFor("krt");
        QCOMPARE(results(), QStringList({"A.krt", "B.krt", "C.krt"}));
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 3 výsledků."));
    }

    void closeKeepsResultsAndReturnsToTheInputPage() {
        host_->writeCard("A", {"k=needle"}, "needle");
        host_->listCardDir();
        form_->show();
        searchFor("needle");
        form_->selectResult(1);
        QTest::keyClick(form_->lBox, Qt::Key_Escape);
        QVERIFY(form_->isHidden());
        QVERIFY(onInputPage());
        QCOMPARE(results(), QStringList({"A.krt", "A.krt"}));
        QCOMPARE(form_->selectedResult(), 1);

        form_->show();
        QVERIFY(onInputPage());
        QCOMPARE(form_->selectedResult(), 1);
    }

    void enterSearchesAndEscCloses() {
        host_->writeCard("A", {"k=needle"}, "");
        host_->listCardDir();
        form_->show();
        form_->Edit1->setText("needle");
        QTest::keyClick(form_->Edit1, Qt::Key_Return);
        QCOMPARE(results(), QStringList{"A.krt"});

        form_->InFil->setFocus();
        QTest::keyClick(form_->InFil, Qt::Key_Enter);
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 1 výsledků."));
        QTest::keyClick(form_->InFil, Qt::Key_Escape);
        QVERIFY(form_->isHidden());
        QCOMPARE(host_->opened, QStringList());
    }

    void openingAResultOpensItsCard() {
        host_->writeCard("Alfa", {"k=needle"}, "");
        host_->writeCard("Beta", {"k=needle"}, "");
        host_->listCardDir();
        form_->show();
        searchFor("needle");

        QTest::keyClick(form_->lBox, Qt::Key_Return); // nothing selected yet
        QVERIFY(form_->isVisible());
        QVERIFY(host_->opened.isEmpty());

        // The card list may spell the entries in other letter case.
        host_->entries = {"ALFA.krt", "beta.KRT"};
        form_->selectResult(1);
        QTest::keyClick(form_->lBox, Qt::Key_Return);
        QCOMPARE(host_->selectedRow, 1);
        QCOMPARE(host_->opened, QStringList{"beta.KRT"});
        QVERIFY(form_->isHidden());
        QVERIFY(onInputPage());

        form_->show();
        form_->selectResult(0);
        form_->lBoxDblClick();
        QCOMPARE(host_->selectedRow, 0);
        QCOMPARE(host_->opened, QStringList({"beta.KRT", "ALFA.krt"}));
        QVERIFY(form_->isHidden());
    }

    void openingAVanishedResultOpensNothing() {
        host_->writeCard("Alfa", {"k=needle"}, "");
        host_->writeCard("Beta", {"k=needle"}, "");
        host_->listCardDir();
        searchFor("needle");
        host_->entries = {"Beta.krt"};
        host_->selectedRow = 0;
        form_->selectResult(0);
        form_->lBoxDblClick();
        QCOMPARE(host_->selectedRow, -1);
        QVERIFY(host_->opened.isEmpty());
    }

    void unreadableCardsAreNamedAfterTheSearch() {
        host_->writeCard("A", {"k=needle"}, "needle");
        host_->dir.writeFile("FILES/B.krt", "damaged");
        host_->writeCard("C", {"k=needle"}, "");
        host_->listCardDir();
        host_->entries.insert(2, "Gone.krt");
        host_->edit2.setText("before");
        form_->show();
        QString headingDuringMessage;
        prompts_->onMessage = [&] { headingDuringMessage = form_->Label7->text(); };
        searchFor("needle");
        QCOMPARE(results(), QStringList({"A.krt", "A.krt", "C.krt"}));
        QVERIFY(prompts_->errors.isEmpty());
        QCOMPARE(prompts_->messages,
                 QStringList{unreadablecards::unreadableCardsMessage({"B.krt", "Gone.krt"})});
        QCOMPARE(headingDuringMessage, QString("Nalezeno 3 výsledků."));
        QVERIFY(onResultsPage());
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 3 výsledků."));
        QCOMPARE(form_->Progress->value(), 4);
        QCOMPARE(host_->edit2.text(), QString("needle"));
        QVERIFY(!form_->session().SearchRunning);

        form_->reject();
        QVERIFY(onInputPage());
    }

    void theBarIsNotRepaintedForEveryCard() {
        for (int i = 0; i < 40; ++i)
            host_->writeCard(QString("C%1").arg(i, 2, 10, QChar(u'0')), {"k=needle"}, "");
        host_->listCardDir();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
        form_->setEventInterval(60 * 60 * 1000);
        PaintCounter paints;
        form_->Progress->installEventFilter(&paints);
        searchFor("needle");
        QCOMPARE(form_->Progress->value(), 40);
        QVERIFY2(paints.count <= 2, qPrintable(QString::number(paints.count)));
    }

    void windowsRepaintWhileSearching() {
        for (int i = 0; i < 6; ++i)
            host_->writeCard(QString("C%1").arg(i), {"k=needle"}, "");
        host_->listCardDir();
        form_->setEventInterval(0);
        form_->show();
        int progressSeen = -1;
        QTimer::singleShot(0, form_, [&] { progressSeen = form_->Progress->value(); });
        searchFor("needle");
        QVERIFY(progressSeen > 0 && progressSeen < 6);
        QCOMPARE(form_->Label7->text(), QString("Nalezeno 6 výsledků."));
    }

    void closingStopsTheSearch() {
        for (int i = 0; i < 6; ++i)
            host_->writeCard(QString("C%1").arg(i), {"k=needle"}, "");
        host_->listCardDir();
        form_->setEventInterval(0);
        form_->show();
        QTimer::singleShot(0, form_, [&] { QTest::keyClick(form_->lBox, Qt::Key_Escape); });
        searchFor("needle");
        QVERIFY(form_->isHidden());
        QVERIFY(onInputPage());
        QVERIFY(form_->lBox->count() >= 1 && form_->lBox->count() < 6);
        QCOMPARE(form_->Progress->value(), form_->lBox->count());
        QVERIFY(!form_->session().SearchRunning);
        // The partial results belong to no text: the quick search searches again.
        QCOMPARE(form_->session().results().size(), form_->lBox->count());
        QCOMPARE(form_->session().text(), QString());
    }

    // The choice is the search's own file's; the quick search (the dialog
    // hidden) follows it, and the next start finds it again.
    void withoutAccentsIsRememberedAndFollowed() {
        QCOMPARE(form_->WithoutAccents->text(), QString("Bez ohledu na diakritiku"));
        QVERIFY(!form_->WithoutAccents->isHidden() && !form_->WithoutAccents->isChecked());
        host_->writeCard("Dvořák", {"Obec=Nelahozeves"}, "Antonín Dvořák");
        host_->listCardDir();
        QVERIFY(form_->SearchCardFiles("dvorak"));
        QCOMPARE(results(), QStringList());

        form_->WithoutAccents->click();
        const QString ini = host_->dir.filePath("search.ini");
        QVERIFY(QFile::exists(ini));
        QVERIFY(!QFile::exists(host_->dir.filePath("config.ini")));
        QVERIFY(form_->SearchCardFiles("dvorak"));
        QCOMPARE(results(), QStringList{"Dvořák.krt"});

        delete form_; // a restart
        form_ = new TFindForm(*host_, *prompts_);
        QVERIFY(form_->WithoutAccents->isChecked());
        QVERIFY(form_->SearchCardFiles("DVORAK"));
        QCOMPARE(results(), QStringList{"Dvořák.krt"});
        form_->WithoutAccents->click();
        delete form_;
        form_ = new TFindForm(*host_, *prompts_);
        QVERIFY(!form_->WithoutAccents->isChecked());
        QVERIFY(prompts_->errors.isEmpty());
    }

    void aChoiceThatCannotBeKeptIsSaid() {
        QVERIFY(QDir().mkpath(host_->dir.filePath("search.ini")));
        form_->WithoutAccents->click();
        QCOMPARE(prompts_->errors, QStringList{"Nastavení hledání nelze uložit do souboru " +
                                               host_->dir.filePath("search.ini")});
    }

    void wholeNameSelectsTheEntryAndCloses() {
        host_->entries = {"Alfa.krt", "Beta.krt"};
        form_->show();
        form_->InNam->click();
        form_->FullNam->setChecked(true);
        searchFor("beta");
        QCOMPARE(host_->selectedRow, 1);
        QVERIFY(host_->opened.isEmpty());
        QVERIFY(form_->isHidden());
    }
};

QTEST_MAIN(TestFindForm)
#include "tst_search_dialog.moc"
