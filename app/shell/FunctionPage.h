#pragma once

#include <QWidget>
#include <functional>

class PictureButton;
class QLabel;
class TmainForm;

// What the three function pages share: a borderless page that lives inside the main window's
// PnlFunction, its own panel PnlFunction, and the entries (a picture button with its caption
// label below, the label naming the button as its buddy, both sharing one click and one
// mouse-move handler).
class FunctionPage : public QWidget {
    Q_OBJECT
public:
    QWidget* PnlFunction = nullptr;

    struct Entry {
        QLabel* label = nullptr;
        PictureButton* button = nullptr;
    };

    // The title drawn at the head of the page.
    QString title() const { return m_title; }

protected:
    FunctionPage(const QString& title, QWidget* parent = nullptr);

    // Places the page inside the main window's function panel, hidden.
    void FormCreate(TmainForm* main);

    // picture: the name of the entry's pictures (":/entry/<picture>.png" and "<picture>_down.png");
    // row and column: its cell in the page's grid. An empty click handler makes a dead entry.
    Entry addEntry(const char* labelName, const char* buttonName, const QString& caption, const char* picture,
                   int row, int column, std::function<void()> click = {});

    // The page's mouse-move handler, given the entry control under the mouse.
    void setEntryMouseMove(std::function<void(QObject*)> handler) { m_mouseMove = std::move(handler); }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_title;
    std::function<void(QObject*)> m_mouseMove;
};
