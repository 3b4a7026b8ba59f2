#pragma once

#include <QObject>

class LinkLabel;
class QLabel;
class QWidget;

// What the window shows where the editor is while no card is open (Label1 to
// Label10): a greeting, the version, a hint and links to add a card, to the
// help and to the web site.
class WelcomeArea : public QObject {
    Q_OBJECT
public:
    // The labels lie on client, the window's central widget.
    explicit WelcomeArea(QWidget& client);

    void setVisible(bool visible);
    // Centres the text right of listRight and puts the version and the web
    // link into the bottom right corner.
    void place(int listRight);
    void applyFont(const QFont& font, const QColor& textColor);

signals:
    void addClicked();
    void helpClicked();
    void homePageClicked();
    void supportClicked();

private:
    QLabel* label(QLabel* created, const char* name);
    LinkLabel* link(const QString& text, const char* name);
    QList<QLabel*> shownLabels() const;

    QWidget& client_;
    QLabel* Label1_;
    QLabel* Label2_;
    QLabel* Label3_;
    QLabel* Label4_;
    LinkLabel* Label5_;
    QLabel* Label6_;
    QLabel* Label7_;
    LinkLabel* Label8_;
    LinkLabel* Label9_;
    LinkLabel* Label10_;
};
