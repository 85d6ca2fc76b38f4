#pragma once
// The word after a build: a few lines of text in a place of the window kept free for them, shown for a few
// seconds. No box to click away, nothing moved or covered; it hides itself.
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;

namespace morvane::app {

class BuildNotice : public QObject {
public:
    static constexpr int kShownMilliseconds = 6000;

    // `label` is the window's own, placed by its layout; it stays hidden until there is something to say.
    explicit BuildNotice(QLabel& label, int shown_ms = kShownMilliseconds);

    // Shows the text, each line shortened in the middle ("C:\Program Fi...\console") to the label's width.
    void show_text(const QString& text);
    void hide();

    bool shown() const;
    QString text() const;  // what the label shows now
    QString said() const { return said_; }  // the text as given, before shortening
    // Called when the notice hides itself after its few seconds.
    void set_on_hidden(std::function<void()> on_hidden) { on_hidden_ = std::move(on_hidden); }

private:
    QLabel& label_;
    QTimer timer_;
    QString said_;
    std::function<void()> on_hidden_;
};

}  // namespace morvane::app
