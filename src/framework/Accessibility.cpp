#include "framework/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

#include "framework/Image.h"

namespace orvelan {

namespace {

constexpr const char* kReadoutProperty = "orvelanReadout";

class TReadoutAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TReadoutAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value) return Reading();
    return QAccessibleWidget::text(type);
  }

  // The reading as plain, read-only text without a caret or selection.
  QString text(int startOffset, int endOffset) const override {
    return Reading().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Reading().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  int selectionCount() const override { return 0; }
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = std::clamp(offset, 0, characterCount());
    *endOffset = characterCount();
    return {};
  }
  // Labels size themselves to their text and start it at their left edge.
  QRect characterRect(int offset) const override {
    const QString reading = Reading();
    if (offset < 0 || offset >= reading.size()) return {};
    const QFontMetrics metrics(Label()->font());
    const QRect contents = Label()->contentsRect();
    const int left = contents.left() + metrics.horizontalAdvance(reading.left(offset));
    const QRect cell(left, contents.top(), metrics.horizontalAdvance(reading.at(offset)),
                     contents.height());
    return QRect(Label()->mapToGlobal(cell.topLeft()), cell.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    for (int i = 0; i < characterCount(); ++i)
      if (characterRect(i).contains(point)) return i;
    return -1;
  }

 private:
  QLabel* Label() const { return static_cast<QLabel*>(widget()); }
  QString Reading() const { return Label()->text(); }
};

QAccessibleInterface* AccessibleControl(const QString&, QObject* object) {
  if (auto* label = qobject_cast<QLabel*>(object);
      label != nullptr && label->property(kReadoutProperty).toBool())
    return new TReadoutAccessible(label);
  if (auto* image = dynamic_cast<TImage*>(object))
    return new QAccessibleWidget(image, QAccessible::Graphic);
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
  static const bool installed = (QAccessible::installFactory(&AccessibleControl), true);
  (void)installed;
}

void MarkAsReadout(QLabel* label) {
  label->setProperty(kReadoutProperty, true);
  DropForeignInterface(label);
}

void DropForeignInterface(QWidget* control) {
  // An interface made before the control was named (while a screen reader listened) is Qt's
  // own; it is dropped so that the next query comes through the factory.
  QAccessibleInterface* current = QAccessible::queryAccessibleInterface(control);
  if (current == nullptr) return;
  const bool ours = qobject_cast<QLabel*>(control) != nullptr
                        ? dynamic_cast<TReadoutAccessible*>(current) != nullptr
                        : current->role() == QAccessible::Graphic;
  if (!ours) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

void AnnounceReading(QLabel* label) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(label, label->text());
  QAccessible::updateAccessibility(&event);
}

}  // namespace orvelan
