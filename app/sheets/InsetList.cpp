#include "app/sheets/InsetList.h"

#include <QVBoxLayout>

namespace plyx::sheets {

InsetList::InsetList(QWidget* parent) : QScrollArea(parent), body_(new QWidget) {
    setObjectName("list");
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body_->setObjectName("listBody");
    body_->setAttribute(Qt::WA_StyledBackground, true);
    body_->setStyleSheet("#listBody { background: palette(base); border-radius: 8px; }");
    rows_ = new QVBoxLayout(body_);
    rows_->setContentsMargins(12, 6, 12, 6);
    rows_->setSpacing(0);
    rows_->addStretch(1);
    setWidget(body_);
    // Only the rounded panel is drawn: the sheet shows around it.
    viewport()->setAutoFillBackground(false);
    setStyleSheet("QScrollArea#list { background: transparent; }");
}

void InsetList::clear() {
    for (int i = rows_->count() - 1; i >= 0; --i) {
        QLayoutItem* item = rows_->itemAt(i);
        if (QWidget* w = item->widget()) {
            rows_->takeAt(i);
            w->hide();
            w->setParent(nullptr);
            w->deleteLater();
            delete item;
        }
    }
}

void InsetList::addTo(QBoxLayout& column) {
    auto* inset = new QVBoxLayout;
    inset->setContentsMargins(16, 0, 16, 16);
    inset->addWidget(this);
    column.addLayout(inset, 1);
}

void InsetList::addRow(QWidget* row) {
    // Before the closing stretch, so rows keep to the top.
    row->setParent(body_);
    rows_->insertWidget(rows_->count() - 1, row);
    row->show();
}

} // namespace plyx::sheets
