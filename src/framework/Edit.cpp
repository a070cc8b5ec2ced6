#include "framework/Edit.h"

#include <QPaintEvent>
#include <QPainter>

namespace orvelan {

TEdit::TEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TEdit::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
  }
  QLineEdit::paintEvent(event);
}

}  // namespace orvelan
