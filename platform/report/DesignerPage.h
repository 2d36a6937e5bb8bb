#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

class ReportTemplate;

// The designer's sheet: the page drawn to scale with its items. Items are selected with the
// mouse, moved by dragging or with the arrow keys (Ctrl: fine steps) and resized by their
// handles or with Shift and the arrow keys.
class DesignerPage : public QWidget {
    Q_OBJECT
public:
    static constexpr double Step = 0.5;     // mm per arrow key press and drag snap
    static constexpr double FineStep = 0.1; // mm with Ctrl

    explicit DesignerPage(ReportTemplate* layout, QWidget* parent = nullptr);

    void setZoom(double pixelsPerMm);
    double zoom() const { return m_zoom; }
    int selected() const { return m_selected; }
    void select(int index);
    // Widget position of an item's centre, and of a point given in item millimetres.
    QPoint centreOf(int index) const;
    QPointF toWidget(QPointF mm) const;
    QSize sizeHint() const override;

signals:
    void selectionChanged(int index);
    void geometryChanged(int index);
    void deleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum Handle { None = -1, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

    QPointF origin() const;
    QRectF itemRect(int index) const;
    QList<QPointF> handlePoints(int index) const;
    int handleAt(QPointF pos) const;
    int itemAt(QPointF pos) const;
    QPointF toMm(QPointF pos) const;
    void applyDrag(QPointF pos);

    ReportTemplate* m_layout;
    double m_zoom = 96.0 / 25.4;
    int m_selected = -1;
    int m_dragHandle = None;
    bool m_dragging = false;
    bool m_moved = false;
    QPointF m_pressMm;
    QRectF m_startRect;
};
