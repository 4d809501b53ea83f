#pragma once

#include <QObject>

#include <string>

namespace listrion::player {

// Stream options a channel may carry for its player, as its playlist entry gave them. Empty
// values leave the player's own.
struct MediaOptions {
    std::string userAgent;
    std::string referrer;
};

// The media player of the preview windows, with the play-list operations they rely on: stop,
// clear, add an address, play, and showing or hiding the picture. None of them waits for the
// stream; how a stream fares is told by playing() and failed().
class PreviewPlayer : public QObject {
    Q_OBJECT

public:
    explicit PreviewPlayer(QObject* parent = nullptr) : QObject(parent) {}

    // Stops playback; harmless when nothing plays.
    virtual void stop() = 0;
    // Empties the play list.
    virtual void clear() = 0;
    // Queues the address as the only item of the play list.
    virtual void add(const std::string& mrl, const MediaOptions& options = {}) = 0;
    // Starts playback of the queued item.
    virtual void play() = 0;

    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

signals:
    void visibilityChanged(bool visible);
    // The item added last plays.
    void playing();
    // The item added last cannot be played.
    void failed();

private:
    bool m_visible = true;
};

} // namespace listrion::player
