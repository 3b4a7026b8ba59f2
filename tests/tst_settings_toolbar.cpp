#include "settings/CompactToolbar.h"

#include <QToolButton>
#include <QtTest>

// The compact toolbar: captions stripped, buttons and bands narrowed and
// moved, the undo button shown.
class TestSettingsToolbar : public QObject {
    Q_OBJECT

    QWidget bar_;
    QMap<QString, QToolButton*> buttons_;
    QMap<QString, QWidget*> bands_;
    ToolbarControls controls_{};

    QToolButton* button(const QString& name, const QString& caption) {
        auto* button = new QToolButton(&bar_);
        button->setText(caption);
        button->setIcon(QIcon(QPixmap(16, 16)));
        button->setGeometry(500, 3, 80, 24);
        buttons_[name] = button;
        return button;
    }
    QWidget* band(const QString& name) {
        auto* band = new QWidget(&bar_);
        band->setGeometry(0, 0, 300, 30);
        bands_[name] = band;
        return band;
    }

private slots:
    void init() {
        const QObjectList previous = bar_.children();
        qDeleteAll(previous);
        controls_ = {button(u"SpeedButton3"_qs, u"Uložit"_qs),
                     button(u"SpeedButton4"_qs, u"Nový"_qs),
                     button(u"SpeedButton5"_qs, u"Konec"_qs),
                     button(u"SpeedButton6"_qs, u"Odstranit"_qs),
                     button(u"SpeedButton10"_qs, u"Nápověda"_qs),
                     button(u"SpeedButton11"_qs, u"Tisknout"_qs),
                     button(u"SpeedButton12"_qs, QString()),
                     button(u"SpeedButton13"_qs, u">>"_qs),
                     button(u"SpeedButton14"_qs, u"Hledat"_qs),
                     band(u"Panel1"_qs),
                     band(u"Panel2"_qs),
                     band(u"Panel4"_qs),
                     band(u"Panel5"_qs),
                     band(u"Panel6"_qs)};
        buttons_[u"SpeedButton12"_qs]->hide();
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("left");
        QTest::newRow("Uložit") << u"SpeedButton3"_qs << 76;
        QTest::newRow("Nový") << u"SpeedButton4"_qs << 2;
        QTest::newRow("Konec") << u"SpeedButton5"_qs << 2;
        QTest::newRow("Odstranit") << u"SpeedButton6"_qs << 40;
        QTest::newRow("Nápověda") << u"SpeedButton10"_qs << 2;
        QTest::newRow("Tisknout") << u"SpeedButton11"_qs << 2;
        QTest::newRow("undo") << u"SpeedButton12"_qs << 40;
        QTest::newRow("Hledat") << u"SpeedButton14"_qs << 113;
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(int, left);
        CompactToolbar(controls_);
        QToolButton* compacted = buttons_[name];
        QCOMPARE(compacted->text(), QString());
        QVERIFY(!compacted->icon().isNull());
        QCOMPARE(compacted->width(), 30);
        QCOMPARE(compacted->x(), left);
        QCOMPARE(compacted->y(), 3);
    }

    void moreButtonKeepsCaptionAndWidth() {
        CompactToolbar(controls_);
        QToolButton* more = buttons_[u"SpeedButton13"_qs];
        QCOMPARE(more->text(), u">>"_qs);
        QCOMPARE(more->width(), 80);
        QCOMPARE(more->x(), 145);
    }

    void undoButtonShown() {
        CompactToolbar(controls_);
        QVERIFY(!buttons_[u"SpeedButton12"_qs]->isHidden());
    }

    void bands_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::newRow("Panel2") << u"Panel2"_qs << 75;
        QTest::newRow("Panel6") << u"Panel6"_qs << 110;
        QTest::newRow("Panel4") << u"Panel4"_qs << 165;
        QTest::newRow("Panel5") << u"Panel5"_qs << 35;
        QTest::newRow("Panel1") << u"Panel1"_qs << 35;
    }
    void bands() {
        QFETCH(QString, name);
        QFETCH(int, width);
        CompactToolbar(controls_);
        QCOMPARE(bands_[name]->width(), width);
        QCOMPARE(bands_[name]->x(), 0);
    }
};

QTEST_MAIN(TestSettingsToolbar)
#include "tst_settings_toolbar.moc"
