#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace marv::testing {

inline const QString kEscape = QStringLiteral("<Escape>");

// Answers the message boxes that come up while it lives, in turn, by the text of a button (or
// kEscape), and notes what each one said. Once out of answers it escapes, so a box the test did
// not expect shows up as a failure instead of a hang. `onShow` sees each box first, and may close
// it itself.
class BoxAnswerer : public QObject {
  public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit BoxAnswerer(QStringList answers = {}, std::function<void(QMessageBox*)> onShow = {})
        : answers_(std::move(answers)), onShow_(std::move(onShow)) {
        connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::answer);
        timer_.start(0);
    }
    QList<Box> seen;

  private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.append({box->windowTitle(), box->text(), box->icon()});
        if (onShow_) onShow_(box);
        if (!box->isVisible()) return;
        const QString answer = answers_.isEmpty() ? kEscape : answers_.takeFirst();
        for (QAbstractButton* button : box->buttons()) {
            if (answer != kEscape && button->text().remove(QLatin1Char('&')) == answer) {
                button->click();
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    }

    QStringList answers_;
    std::function<void(QMessageBox*)> onShow_;
    QTimer timer_;
};

}  // namespace marv::testing
