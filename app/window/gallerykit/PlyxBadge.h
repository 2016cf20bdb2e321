#pragma once
// The product's tile: a near-black rounded square with the initial "P" in
// dot-matrix type, light grey. The sidebar's header and the add-widget
// guide each show one, at their own sizes.
#include <QWidget>

namespace plyx {

class PlyxBadge : public QWidget {
public:
    PlyxBadge(int side, double cornerRadius, double letterPoints, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double radius_;
    double letterPoints_;
};

} // namespace plyx
