#include "mainwindow/MainToolBar.h"

#include <QToolButton>
#include <QtTest>
#include <algorithm>

namespace {

// A band's tool buttons from left to right.
QList<QToolButton*> buttonsOf(const QWidget* band) {
    QList<QToolButton*> buttons = band->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](const QToolButton* a, const QToolButton* b) { return a->x() < b->x(); });
    return buttons;
}

QStringList namesOf(const QList<QToolButton*>& buttons) {
    QStringList names;
    for (const QToolButton* button : buttons)
        names << button->objectName();
    return names;
}

} // namespace

// The compact tool bar: captions stripped, buttons and bands narrowed, the undo
// button shown, and every band still a tidy row of its own buttons.
class TestSettingsToolbar : public QObject {
    Q_OBJECT

    struct Before {
        QStringList order;
        int bandWidth;
        QMap<QString, QRect> geometry;
    };

    std::unique_ptr<MainToolBar> bar_;
    QMap<QString, Before> before_;

    QList<QWidget*> bands() const {
        QList<QWidget*> found;
        for (int band = 0; band < bar_->bandCount(); ++band)
            found << bar_->bandPanel(band);
        return found;
    }
    QToolButton* button(const char* name) const {
        return bar_->findChild<QToolButton*>(QString::fromLatin1(name));
    }

private slots:
    void init() {
        bar_ = std::make_unique<MainToolBar>();
        before_.clear();
        for (const QWidget* band : bands()) {
            Before& kept = before_[band->objectName()];
            kept.order = namesOf(buttonsOf(band));
            kept.bandWidth = band->width();
            for (const QToolButton* each : buttonsOf(band))
                kept.geometry[each->objectName()] = each->geometry();
        }
        bar_->CompactToolbar();
    }

    void buttonsLoseTheirCaptionsButKeepTheirPictures() {
        for (const QWidget* band : bands()) {
            for (const QToolButton* each : buttonsOf(band)) {
                if (each->objectName() == u"SpeedButton13"_qs)
                    continue;
                QVERIFY2(each->text().isEmpty(), qPrintable(each->objectName()));
                QVERIFY2(!each->icon().isNull(), qPrintable(each->objectName()));
            }
        }
    }

    void buttonsAndBandsNarrowOnTheirRow() {
        for (const QWidget* band : bands()) {
            const Before& kept = before_[band->objectName()];
            QVERIFY2(band->width() <= kept.bandWidth, qPrintable(band->objectName()));
            for (const QToolButton* each : buttonsOf(band)) {
                const QRect was = kept.geometry[each->objectName()];
                QVERIFY2(each->width() <= was.width(), qPrintable(each->objectName()));
                QCOMPARE(each->y(), was.y());
            }
        }
        const QToolButton* save = button("SpeedButton3");
        QVERIFY(save->width() < before_[u"Panel6"_qs].geometry[u"SpeedButton3"_qs].width());
    }

    void shownButtonsDoNotOverlapAndStayInTheirBand() {
        for (const QWidget* band : bands()) {
            int right = 0;
            for (const QToolButton* each : buttonsOf(band)) {
                if (each->isHidden())
                    continue;
                QVERIFY2(each->x() >= right, qPrintable(each->objectName()));
                right = each->x() + each->width();
            }
            QVERIFY2(right <= band->width(), qPrintable(band->objectName()));
        }
    }

    void buttonsKeepTheirOrder() {
        for (const QWidget* band : bands())
            QCOMPARE(namesOf(buttonsOf(band)), before_[band->objectName()].order);
    }

    void moreButtonKeepsCaptionAndWidth() {
        const QToolButton* more = button("SpeedButton13");
        QCOMPARE(more->text(), u">>"_qs);
        QCOMPARE(more->width(), before_[u"Panel4"_qs].geometry[u"SpeedButton13"_qs].width());
    }

    void undoButtonShown() {
        QVERIFY(!button("SpeedButton12")->isHidden());
        QVERIFY(bar_->undoButtonVisible());
    }
};

QTEST_MAIN(TestSettingsToolbar)
#include "tst_settings_toolbar.moc"
