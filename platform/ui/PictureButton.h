#pragma once

#include <QPixmap>
#include <QToolButton>

// An image button: a normal and a pressed picture, and a group index. Buttons of one parent
// that share a non-zero group index form an exclusive group: at most one of them is down.
// The down state is the checked state; clicking does not change it, only setChecked() does.
class PictureButton : public QToolButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPictures(const QPixmap& normal, const QPixmap& pressed);
    QPixmap normalPicture() const { return m_normal; }
    QPixmap pressedPicture() const { return m_pressed; }

    void setGroupIndex(int index);
    int groupIndex() const { return m_groupIndex; }

    // The picture now shown: the pressed one while down or held by the mouse.
    QPixmap currentPicture() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override {}

private:
    void releaseOthers();

    QPixmap m_normal;
    QPixmap m_pressed;
    int m_groupIndex = 0;
};
