#include "core/UnreadableCardsMessage.h"
#include "search/QuickSearch.h"
#include "search/TFindForm.h"
#include "storage/AppState.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/TestSearchHost.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>

namespace {

int threadCount() {
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

// What the user saw each time the dialog came up.
struct Shown {
    bool resultsPage;
    QString edit1;
    QString heading;
};

} // namespace

class TestQuickSearch : public QObject {
    Q_OBJECT

    TestSearchHost* host_ = nullptr;
    ScriptedPrompts* prompts_ = nullptr;
    TFindForm* form_ = nullptr;
    QuickSearch* quick_ = nullptr;
    QList<Shown> shown_;
    // What the user does in the dialog before it is closed; then it is closed
    // with Esc unless the action closed it.
    std::function<void(TFindForm&)> userAction_;

    // Cards A, B, C hold "praha" once each; D does not.
    void praguePeople() {
        host_->writeCard("A", {}, "Praha");
        host_->writeCard("B", {"Obec=PRAHA"}, "");
        host_->writeCard("C", {"k=v"}, "u Prahy\r\nv praha 4");
        host_->writeCard("D", {"Obec=Brno"}, "");
        host_->listCardDir();
    }
    void press(const QString& text) {
        host_->edit2.setText(text);
        quick_->findNext();
    }

private slots:
    void init() {
        host_ = new TestSearchHost;
        prompts_ = new ScriptedPrompts;
        form_ = new TFindForm(*host_, *prompts_);
        quick_ = new QuickSearch(*host_, *form_, *prompts_);
        shown_.clear();
        userAction_ = nullptr;
        quick_->showModal = [this](TFindForm& form) {
            form.show();
            shown_ << Shown{form.Edit1->isHidden() && !form.Panel2->isHidden(), form.Edit1->text(),
                            form.Label7->text()};
            if (userAction_)
                userAction_(form);
            if (form.isVisible())
                QTest::keyClick(form.Edit1, Qt::Key_Escape);
        };
    }
    void cleanup() {
        delete quick_;
        delete form_;
        delete prompts_;
        delete host_;
    }

    void emptyBoxOffersTheEmptyDialog() {
        praguePeople();
        press("");
        QCOMPARE(shown_.size(), 1);
        QVERIFY(!shown_[0].resultsPage);
        QCOMPARE(shown_[0].edit1, QString());
        QCOMPARE(form_->lBox->count(), 0);
    }

    void firstPressSearchesThenEachPressOpensTheNextResult() {
        praguePeople();
        QList<bool> visibleWhileSearching;
        connect(form_->Progress, &QProgressBar::valueChanged, this,
                [&] { visibleWhileSearching << form_->isVisible(); });
        press("praha");
        // The bar moves now and then, not for every card; never with the dialog shown.
        QVERIFY(!visibleWhileSearching.isEmpty());
        QVERIFY(!visibleWhileSearching.contains(true));
        QCOMPARE(shown_.size(), 1);
        QVERIFY(shown_[0].resultsPage);
        QCOMPARE(shown_[0].heading, QString("Nalezeno 3 výsledků."));
        QCOMPARE(shown_[0].edit1, QString("praha"));
        QCOMPARE(form_->Edit1->text(), QString("praha"));
        QVERIFY(host_->opened.isEmpty());

        for (int i = 0; i < 3; ++i)
            quick_->findNext();
        QCOMPARE(host_->opened, QStringList({"A.krt", "B.krt", "C.krt"}));
        QCOMPARE(shown_.size(), 1);
        QVERIFY(form_->isHidden());

        // After the last result the box is cleared and the empty dialog offered.
        quick_->findNext();
        QCOMPARE(host_->edit2.text(), QString());
        QCOMPARE(shown_.size(), 2);
        QVERIFY(!shown_[1].resultsPage);
        QCOMPARE(shown_[1].edit1, QString());
        QCOMPARE(host_->opened.size(), 3);
    }

    void choosingInTheDialogSetsThePosition() {
        praguePeople();
        userAction_ = [](TFindForm& form) {
            form.selectResult(1);
            form.lBoxDblClick();
        };
        press("praha");
        QCOMPARE(host_->opened, QStringList{"B.krt"});
        userAction_ = nullptr;
        quick_->findNext();
        QCOMPARE(host_->opened, QStringList({"B.krt", "C.krt"}));
    }

    void aSearchWithoutResultsRepeatedOffersTheEmptyDialog() {
        praguePeople();
        press("Ostrava");
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].heading, QString("Nalezeno 0 výsledků."));
        // Were it searched again, this card would be named as unreadable.
        host_->dir.writeFile("FILES/E.krt", "damaged");
        host_->listCardDir();
        quick_->findNext();
        QVERIFY(prompts_->allShown().isEmpty());
        QCOMPARE(host_->edit2.text(), QString());
        QCOMPARE(shown_.size(), 2);
        QVERIFY(!shown_[1].resultsPage);
        QCOMPARE(shown_[1].edit1, QString());
    }

    void letterCaseMakesANewText() {
        praguePeople();
        press("praha");
        quick_->findNext();
        QCOMPARE(host_->opened, QStringList{"A.krt"});
        press("Praha");
        QCOMPARE(shown_.size(), 2);
        QVERIFY(shown_[1].resultsPage);
        QCOMPARE(form_->selectedResult(), -1);
        QCOMPARE(host_->opened, QStringList{"A.krt"});
        quick_->findNext();
        QCOMPARE(host_->opened, QStringList({"A.krt", "A.krt"}));
    }

    void textTypedButNotSearchedInTheDialogDoesNotPassForItsResults() {
        praguePeople();
        press("praha");
        userAction_ = [](TFindForm& form) { form.Edit1->setText("Brno"); };
        press("");
        press("Brno");
        QCOMPARE(shown_.size(), 3);
        QCOMPARE(shown_[2].heading, QString("Nalezeno 1 výsledků."));
        quick_->findNext();
        QCOMPARE(host_->opened, QStringList{"D.krt"});
    }

    void advancedSearchTakesTheBoxBackAfterClosing() {
        praguePeople();
        host_->edit2.setText("praha");
        userAction_ = [](TFindForm& form) { form.Edit1->setText("something else"); };
        quick_->showAdvancedSearch();
        QCOMPARE(shown_[0].edit1, QString("praha"));
        QCOMPARE(form_->Edit1->text(), QString("praha"));

        // A search made in the dialog becomes the box's text, and the walk goes on
        // through its results.
        userAction_ = [](TFindForm& form) {
            form.Edit1->setText("Brno");
            QTest::keyClick(form.Edit1, Qt::Key_Return);
        };
        quick_->showAdvancedSearch();
        QCOMPARE(host_->edit2.text(), QString("Brno"));
        QCOMPARE(form_->Edit1->text(), QString("Brno"));
        userAction_ = nullptr;
        quick_->findNext();
        QCOMPARE(host_->opened, QStringList{"D.krt"});
        QCOMPARE(shown_.size(), 2);
    }

    void aTextNeverSearchedIsSearchedEvenAfterTheDialogShowedIt() {
        praguePeople();
        host_->edit2.setText("praha");
        quick_->showAdvancedSearch();
        quick_->findNext();
        QCOMPARE(shown_.size(), 2);
        QCOMPARE(shown_[1].heading, QString("Nalezeno 3 výsledků."));
    }

    void keysAndDoubleClickInTheBox() {
        praguePeople();
        host_->edit2.setText("praha");
        QTest::keyClick(&host_->edit2, Qt::Key_Escape);
        QCOMPARE(host_->edit2.text(), QString());

        host_->edit2.setText("praha");
        QTest::keyClick(&host_->edit2, Qt::Key_Return);
        QCOMPARE(shown_.size(), 1);
        QTest::mouseDClick(&host_->edit2, Qt::LeftButton);
        QCOMPARE(host_->opened, QStringList{"A.krt"});
        QTest::keyClick(&host_->edit2, Qt::Key_Enter);
        QCOMPARE(host_->opened, QStringList({"A.krt", "B.krt"}));
    }

    void unreadableCardIsNamedAndTheResultsShown() {
        praguePeople();
        host_->dir.writeFile("FILES/B2.krt", "damaged");
        host_->listCardDir();
        press("praha");
        QVERIFY(prompts_->errors.isEmpty());
        QCOMPARE(prompts_->messages,
                 QStringList{unreadablecards::unreadableCardsMessage({"B2.krt"})});
        QCOMPARE(shown_.size(), 1);
        QVERIFY(shown_[0].resultsPage);
        QCOMPARE(shown_[0].heading, QString("Nalezeno 3 výsledků."));
        QVERIFY(!form_->session().SearchRunning);
    }

    void escStopsTheSearchAndShowsNothing() {
        for (int i = 0; i < 60; ++i)
            host_->writeCard(QString("C%1").arg(i, 3, 10, QChar(u'0')), {"k=needle"}, "");
        host_->listCardDir();
        // Missing card files after them keep the workers busy past the Esc.
        for (int i = 0; i < 20000; ++i)
            host_->entries << QString("Missing%1.krt").arg(i);
        form_->setEventInterval(0);
        const int threadsBefore = threadCount();
        int threadsDuring = 0;
        QTimer::singleShot(0, form_, [&] {
            threadsDuring = threadCount();
            QTest::keyClick(&host_->edit2, Qt::Key_Escape);
        });
        press("needle");
        QVERIFY(shown_.isEmpty());
        QVERIFY(!form_->session().SearchRunning);
        QVERIFY(form_->lBox->count() < 60);
        QCOMPARE(host_->edit2.text(), QString("needle"));
        QVERIFY(threadsDuring > threadsBefore);
        QCOMPARE(threadCount(), threadsBefore);
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // The same text again is a new search, run to its end.
        host_->listCardDir();
        quick_->findNext();
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].heading, QString("Nalezeno 60 výsledků."));
    }

    void onlyEscReachesTheWindowsDuringTheSearch() {
        praguePeople();
        form_->setEventInterval(0);
        bool busyShown = false;
        QTimer::singleShot(0, form_, [&] {
            const auto* bar = host_->edit2.findChild<QProgressBar*>("quickSearchProgress");
            busyShown = bar && bar->isVisible() && QApplication::overrideCursor() &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            QTest::keyClicks(&host_->edit2, "xyz");
            QTest::mouseDClick(&host_->edit2, Qt::LeftButton);
        });
        host_->edit2.show();
        press("praha");
        QVERIFY(busyShown);
        QCOMPARE(host_->edit2.text(), QString("praha"));
        QVERIFY(host_->opened.isEmpty());
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].heading, QString("Nalezeno 3 výsledků."));
        QVERIFY(!host_->edit2.findChild<QProgressBar*>("quickSearchProgress"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void theRealDialogIsModal() {
        praguePeople();
        quick_->showModal = [](TFindForm& form) { form.exec(); };
        bool wasModal = false;
        QTimer::singleShot(0, form_, [&] {
            wasModal = form_->isVisible() && form_->isModal();
            form_->reject();
        });
        press("praha");
        QVERIFY(wasModal);
        QVERIFY(form_->isHidden());
        QCOMPARE(form_->Edit1->text(), QString("praha"));
        QCOMPARE(form_->lBox->count(), 3);
    }
};

QTEST_MAIN(TestQuickSearch)
#include "tst_search_quick.moc"
