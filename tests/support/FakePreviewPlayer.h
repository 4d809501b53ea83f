#pragma once

#include "player/PreviewPlayer.h"

#include <string>
#include <utility>
#include <vector>

namespace listrion::test {

// A preview player that only records what the window asks of it, one entry per operation:
// "stop", "clear", "add ADDRESS", "play", "show", "hide". A test plays the media player's part
// by emitting playing() or failed().
class FakePreviewPlayer final : public player::PreviewPlayer {
public:
    FakePreviewPlayer()
    {
        connect(this, &PreviewPlayer::visibilityChanged, this,
                [this](bool visible) { operations.push_back(visible ? "show" : "hide"); });
    }

    void stop() override { operations.push_back("stop"); }
    void clear() override { operations.push_back("clear"); }
    void add(const std::string& mrl, const player::MediaOptions& options) override
    {
        operations.push_back("add " + mrl);
        lastOptions = options;
    }
    void play() override { operations.push_back("play"); }

    // The operations since the last call.
    std::vector<std::string> take() { return std::exchange(operations, {}); }

    std::vector<std::string> operations;
    player::MediaOptions lastOptions;
};

} // namespace listrion::test
