// SPDX-License-Identifier: Apache-2.0
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <QWindow>
#include <map>

namespace asworn::app {

namespace {

constexpr char kSpokenNameProperty[] = "aswornSpokenName";

// A label's own text is a bare number; without a name of its own Qt names an empty label
// after the group box around it, so every blank ticket entry would read "Work Ticket".
class SpokenLabel : public QAccessibleWidget {
 public:
  explicit SpokenLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const auto* label = static_cast<const QLabel*>(widget());
    if (!label->accessibleName().isEmpty()) return label->accessibleName();
    const QString spoken = label->property(kSpokenNameProperty).toString();
    const QString shown = label->text().trimmed();
    return shown.isEmpty() ? spoken : spoken + QLatin1Char(' ') + shown;
  }
};

// One tab of the strip. Qt's own tab reports the focus whenever it is the current tab, so
// with the cursor in a field two objects claim the focus and a screen reader follows the
// wrong one; this tab has the focus only when the strip has it.
class Tab : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  Tab(QTabBar* bar, int index) : bar_(bar), index_(index) {}

  bool isValid() const override { return bar_ && index_ < bar_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return bar_ ? QAccessible::queryAccessibleInterface(bar_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return bar_->tabText(index_).remove(QLatin1Char('&'));
    if (t == QAccessible::Description) return bar_->tabToolTip(index_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::PageTab; }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const bool current = index_ == bar_->currentIndex();
    s.focusable = bar_->focusPolicy() != Qt::NoFocus;
    s.focused = current && bar_->hasFocus();
    s.selectable = true;
    s.selected = current;
    s.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
    s.disabled = !bar_->isEnabled() || !bar_->isTabEnabled(index_);
    return s;
  }

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect tab = bar_->tabRect(index_);
    return QRect(bar_->mapToGlobal(tab.topLeft()), tab.size());
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) bar_->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QTabBar> bar_;
  int index_;
};

// The strip: its tabs as children, the focus left to the current tab.
class TabStripAccessible : public QAccessibleWidget {
 public:
  explicit TabStripAccessible(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
  ~TabStripAccessible() override {
    for (const auto& [index, tab] : tabs_) QAccessible::deleteAccessibleInterface(tab);
  }

  int childCount() const override { return bar()->count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= bar()->count()) return nullptr;
    auto found = tabs_.find(index);
    if (found == tabs_.end()) {
      auto* tab = new Tab(bar(), index);
      found = tabs_.emplace(index, QAccessible::registerAccessibleInterface(tab)).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [index, tab] : tabs_)
      if (QAccessible::accessibleInterface(tab) == child) return index;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
    return index < 0 ? nullptr : child(index);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && bar()->accessibleName().isEmpty())
      return bar()->tabText(bar()->currentIndex()).remove(QLatin1Char('&'));
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = false;  // the current tab carries it
    return s;
  }

 private:
  QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }
  mutable std::map<int, QAccessible::Id> tabs_;
};

// The tab control hands its focus on to the strip, and Qt then counts the control as
// focused too: a second object claiming the focus. Only the strip's current tab claims it.
class TabControlAccessible : public QAccessibleWidget {
 public:
  explicit TabControlAccessible(QTabWidget* control) : QAccessibleWidget(control) {}
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = false;
    return s;
  }
};

QAccessibleInterface* WindowInterfaces(const QString&, QObject* object) {
  if (auto* bar = qobject_cast<QTabBar*>(object)) return new TabStripAccessible(bar);
  if (auto* control = qobject_cast<QTabWidget*>(object)) return new TabControlAccessible(control);
  if (auto* label = qobject_cast<QLabel*>(object);
      label && label->property(kSpokenNameProperty).isValid())
    return new SpokenLabel(label);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(WindowInterfaces);
    return true;
  }();
  (void)installed;
}

void SpeakAs(QLabel* label, const QString& spokenName) {
  label->setProperty(kSpokenNameProperty, spokenName);
}

}  // namespace asworn::app
