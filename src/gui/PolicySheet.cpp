#include "gui/PolicySheet.h"

#include <algorithm>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/PolicyPage.h"

namespace {

// Distance of the sheet's bottom-right corner from the desktop's.
constexpr int kCornerGap = 30;

}  // namespace

PolicySheet::PolicySheet(const QString& caption, FC& policies, ProgramSettings& settings,
                         QWidget* parent)
    : QDialog(parent), policies_(policies), settings_(settings) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget;
  // Every tab stays in sight; the output sheet's ten titles need the
  // padding trimmed to fit beside each other.
  tabs_->setUsesScrollButtons(false);
  tabs_->setStyleSheet(QStringLiteral(
      "QTabBar::tab { padding: 4px 7px; margin-right: 1px; border: 1px solid palette(mid);"
      " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
      " background: palette(button); }"
      "QTabBar::tab:selected { background: palette(window); font-weight: bold; }"
      "QTabBar::tab:!selected { margin-top: 2px; }"));
  layout->addWidget(tabs_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                  QDialogButtonBox::Apply);
  layout->addWidget(buttons_);
  applyButton_ = buttons_->button(QDialogButtonBox::Apply);
  applyButton_->setEnabled(false);
  buttons_->button(QDialogButtonBox::Ok)->setToolTip(tr("Store the changed policies and close"));
  buttons_->button(QDialogButtonBox::Cancel)->setToolTip(tr("Close without storing any change"));
  applyButton_->setToolTip(tr("Store the changed policies and keep the sheet open"));
  connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
    ApplyPages();
    accept();
  });
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(applyButton_, &QPushButton::clicked, this, [this] { ApplyPages(); });
}

PolicyPage& PolicySheet::AddPage(const QString& title) {
  auto* page = new PolicyPage(title, *this, policies_, settings_);
  tabs_->addTab(page, title);
  pages_.push_back(page);
  connect(page, &PolicyPage::Changed, applyButton_, [this] { applyButton_->setEnabled(true); });
  return *page;
}

void PolicySheet::Refresh() {
  for (PolicyPage* page : pages_) page->Refresh();
  applyButton_->setEnabled(false);
}

bool PolicySheet::ApplyPages() {
  bool stored = false;
  for (PolicyPage* page : pages_) {
    if (page->Apply()) stored = true;
  }
  if (stored) applied_ = true;
  applyButton_->setEnabled(false);
  return stored;
}

void PolicySheet::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PlaceNearCorner();
}

void PolicySheet::PlaceNearCorner() {
  const QScreen* desktop = screen();
  if (desktop == nullptr) return;
  const QRect available = desktop->availableGeometry();
  const QRect frame = frameGeometry();
  const int x = available.right() - kCornerGap - frame.width() + 1;
  const int y = available.bottom() - kCornerGap - frame.height() + 1;
  move(std::max(available.left(), x), std::max(available.top(), y));
}

void PolicySheet::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  // A focused button takes Enter as a press; any other control has already
  // had its turn, and the sheet stays open.
  if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) button->click();
  event->accept();
}
