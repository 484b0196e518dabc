#pragma once
// The person in front of the window, for tests: answers the modal windows and popup menus that
// an action opens, in the order the test expects them. Each one is recognised (its kind, its
// title, what it says) before it is answered, and only once it is on screen (visible and
// exposed), which happens in its own event loop; so an answer is never given before the window is
// up, nor to the wrong window. The answer is a person's: typing into a field, a click on a
// button or a menu entry. An answer counts once its window has closed. A window nobody expected,
// or one still open after its answer, is closed and reported, so a test fails instead of waiting
// for ever.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

class QAction;
class QMenu;
class QMessageBox;
class QWidget;

class ModalAnswers : public QObject {
 public:
  ModalAnswers();
  ~ModalAnswers() override;

  /// A file dialog titled `title`: the person types `file` and presses Open.
  void ExpectFile(const QString& title, const std::filesystem::path& file);
  /// A message box titled `title` whose text contains `saying`: the person reads it (into `text`
  /// when given) and clicks the button `button` (a QMessageBox::StandardButton).
  void ExpectMessage(const QString& title, const QString& saying, int button, QString* text = nullptr);
  /// A popup menu: `choose` gets it and returns the entry to click, or null to close the menu
  /// with Escape.
  void ExpectMenu(std::function<QAction*(QMenu&)> choose);

  /// Waits until every expected window was answered and has closed; false when one is missing
  /// after `timeoutMs`.
  bool Settle(int timeoutMs = 10000);
  /// What went wrong: windows nobody expected, answers that did not close their window, windows
  /// that never came. Empty when all went as expected.
  QStringList Problems() const;

 private:
  struct Expected {
    QString what;  // for the reports
    std::function<bool(QWidget&)> recognise;
    std::function<void(QWidget&)> answer;
  };
  void Expect(Expected expected);
  void Look();
  void Close(QWidget& window, const QString& why);

  std::deque<Expected> expected_;
  QPointer<QWidget> answered_;  // the last window answered, until it has closed
  int looksSinceAnswer_ = 0;
  QStringList problems_;
  QTimer timer_;
};
