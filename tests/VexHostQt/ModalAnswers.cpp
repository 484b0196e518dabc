#include "ModalAnswers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

constexpr int kLookMs = 10;
// An answered window closes within the event it started; this is only the bound of a failure.
constexpr int kCloseBoundMs = 5000;

// As a person sees it: shown, and drawn by the window system.
bool IsOnScreen(const QWidget& window) {
  return window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed();
}

QString Describe(const QWidget& window) {
  QString text = QString("%1 \"%2\"").arg(window.metaObject()->className(), window.windowTitle());
  if (const auto* box = qobject_cast<const QMessageBox*>(&window)) text += ": " + box->text();
  return text;
}

}  // namespace

ModalAnswers::ModalAnswers() {
  timer_.setInterval(kLookMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
  timer_.start();
}

ModalAnswers::~ModalAnswers() = default;

void ModalAnswers::Expect(Expected expected) { expected_.push_back(std::move(expected)); }

// Typed into the dialog's name field, which a person may do whether or not the field has the
// focus (the dialog's own selectFile leaves a focused field alone).
void ModalAnswers::ExpectFile(const QString& title, const std::filesystem::path& file) {
  QString path = QString::fromStdString(file.string());
  Expect({"file dialog \"" + title + "\"",
          [title](QWidget& window) {
            return qobject_cast<QFileDialog*>(&window) && window.windowTitle() == title;
          },
          [this, path](QWidget& window) {
            auto* name = window.findChild<QLineEdit*>("fileNameEdit");
            auto* buttons = window.findChild<QDialogButtonBox*>("buttonBox");
            QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
            if (!name || !open) return Close(window, "no file name field or Open button in");
            name->setFocus();
            name->setText(path);
            QTest::mouseClick(open, Qt::LeftButton);
          }});
}

void ModalAnswers::ExpectMessage(const QString& title, const QString& saying, int button, QString* text) {
  Expect({"message box \"" + title + "\" saying \"" + saying + "\"",
          [title, saying](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            return box && box->windowTitle() == title && box->text().contains(saying);
          },
          [this, button, text](QWidget& window) {
            auto& box = static_cast<QMessageBox&>(window);
            if (text) *text = box.text();
            QAbstractButton* chosen = box.button(static_cast<QMessageBox::StandardButton>(button));
            if (!chosen) return Close(window, "no such button in");
            QTest::mouseClick(chosen, Qt::LeftButton);
          }});
}

void ModalAnswers::ExpectMenu(std::function<QAction*(QMenu&)> choose) {
  Expect({"popup menu", [](QWidget& window) { return qobject_cast<QMenu*>(&window) != nullptr; },
          [choose = std::move(choose)](QWidget& window) {
            auto& menu = static_cast<QMenu&>(window);
            if (QAction* entry = choose(menu)) {
              QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(entry).center());
            } else {
              QTest::keyClick(&menu, Qt::Key_Escape);
            }
          }});
}

void ModalAnswers::Look() {
  QWidget* window = QApplication::activePopupWidget();
  if (!window) window = QApplication::activeModalWidget();
  if (answered_ && answered_->isVisible() && window == answered_) {
    if (++looksSinceAnswer_ * kLookMs > kCloseBoundMs) Close(*answered_, "still open after its answer:");
    return;
  }
  answered_ = nullptr;
  if (!window || !IsOnScreen(*window)) return;
  if (expected_.empty()) return Close(*window, "nobody expected");
  Expected next = std::move(expected_.front());
  expected_.pop_front();
  if (!next.recognise(*window)) return Close(*window, "expected a " + next.what + ", not");
  answered_ = window;
  looksSinceAnswer_ = 0;
  next.answer(*window);
}

void ModalAnswers::Close(QWidget& window, const QString& why) {
  problems_ << why + " " + Describe(window);
  if (answered_ == &window) answered_ = nullptr;
  if (auto* dialog = qobject_cast<QDialog*>(&window)) {
    dialog->reject();
  } else {
    window.close();
  }
}

bool ModalAnswers::Settle(int timeoutMs) {
  bool settled = QTest::qWaitFor([this] { return expected_.empty() && !(answered_ && answered_->isVisible()); },
                                 timeoutMs);
  for (const Expected& missing : expected_) problems_ << "never came: a " + missing.what;
  expected_.clear();
  return settled;
}

QStringList ModalAnswers::Problems() const { return problems_; }
