#include "playlist/PlaylistReader.h"

#include "playlist/Extraction.h"
#include "playlist/LineText.h"
#include "playlist/StreamLink.h"
#include "playlist/TextCleanup.h"

namespace listrion::playlist {
namespace {

// A first line longer than this, before any #EXTINF: line, means the file has no usable
// line breaks.
constexpr std::size_t kLongestUnbrokenLine = 500;
// The observer hears the counters every so many lines (and at the end).
constexpr std::int64_t kReportEvery = 1024;

} // namespace

PlaylistReader::PlaylistReader(const ReaderOptions& options, bool lineBreakTest, GroupIndex& groups,
                               EntrySink& sink, ProgressObserver* observer)
    : m_decoder(*options.codepage, options.region), m_limit(options.limit),
      m_liveLimit(options.liveLimit), m_lineBreakTest(lineBreakTest), m_groups(groups),
      m_sink(sink), m_observer(observer)
{
    m_progress.activity = Activity::Reading;
}

void PlaylistReader::report()
{
    if (m_observer != nullptr) {
        m_observer->progress(m_progress);
    }
}

PlaylistReader::Step PlaylistReader::handleLine(std::string_view line)
{
    ++m_progress.line;
    if (m_lineBreakTest && !m_seenExtinf && line.size() > kLongestUnbrokenLine) {
        return Step::Restructure;
    }
    if (m_observer != nullptr && m_observer->cancelRequested()) {
        return Step::Cancelled;
    }
    // Tested before the line is handled: an entry whose #EXTINF: line reached the limit is
    // not stored when its link is on the next line.
    const std::int64_t limit =
        m_liveLimit != nullptr ? m_liveLimit->load(std::memory_order_relaxed) : m_limit;
    if (limit != ReaderOptions::kNoLimit && limit <= m_progress.entries) {
        return Step::LimitReached;
    }
    if (LineText::containsAnyCase(line, "#extinf:")) {
        handleExtinf(line);
    } else {
        handleLinkLine(line);
    }
    if (m_progress.line % kReportEvery == 0) {
        report();
    }
    return Step::Continue;
}

void PlaylistReader::handleExtinf(std::string_view line)
{
    const ExtinfLine extinf(line);
    GetGroupTitle(extinf, m_decoder, m_pending.group);
    GetChannelName(extinf, m_decoder, m_pending.name);
    if (m_pending.name.find("#EXTGRP:") != std::string::npos) {
        TextCleanup::replaceAll(m_pending.name, "#EXTGRP:" + m_pending.group, "");
    }
    if (m_pending.name.empty()) {
        GetChannelName2(extinf, m_decoder, m_pending.name);
    }
    GetTvgName(extinf, m_decoder, m_pending.tvgName);
    GetTvgId(extinf, m_decoder, m_pending.tvgId);
    if (m_pending.tvgId.empty()) {
        m_pending.tvgId = "ext";
    }
    GetTvgLogo(extinf, m_decoder, m_pending.logo);
    m_decoder.plain(GetStreamLink(line), m_pending.link);
    m_pending.parentCode = GetParentCode(extinf);
    // Evaluated like the other values; the type of an entry comes from its link alone.
    (void)GetRadioMark(extinf);

    if (m_pending.tvgName.empty() && !m_pending.name.empty()) {
        m_pending.tvgName = m_pending.name;
    }
    if (m_pending.name.empty() && !m_pending.tvgName.empty()) {
        m_pending.name = m_pending.tvgName;
    }
    // Not counted: no name at all, or the same entry again before its link line.
    if (m_pending.name == m_previousName) {
        return;
    }
    m_seenExtinf = true;
    ++m_progress.entries;
    showEntry();
    m_previousName.assign(LineText::trimTrailing(m_pending.name));
    if (!m_pending.link.empty()) {
        store();
    }
}

void PlaylistReader::handleLinkLine(std::string_view line)
{
    if (!m_seenExtinf) {
        ++m_progress.entries;
    }
    showEntry();
    m_decoder.plain(GetStreamLink(line), m_pending.link);
    if (m_pending.name.empty()) {
        discard();
        return;
    }
    // Whatever line follows an #EXTINF: line completes the entry, even without an address.
    store();
}

// The names the loading window shows; only kept for the lines whose counters are reported.
void PlaylistReader::showEntry()
{
    if (m_progress.line % kReportEvery == 0) {
        m_progress.group.assign(LineText::trimTrailing(m_pending.group));
        m_progress.channel.assign(LineText::trimTrailing(m_pending.name));
    }
}

void PlaylistReader::store()
{
    ChannelRow row;
    row.type = GetStreamType(m_pending.link);
    if (row.type == "VOD") {
        ++m_progress.vod;
    } else {
        row.tvgid = LineText::trimLeading(m_pending.tvgId);
        ++m_progress.live;
    }
    row.grupa = LineText::trimLeading(m_pending.group);
    row.name = LineText::trimLeading(m_pending.name);
    row.tvgname = LineText::trimLeading(m_pending.tvgName);
    row.logo = LineText::trimLeading(m_pending.logo);
    row.link = m_pending.link;
    row.broj = m_progress.entries;
    row.parentCode = m_pending.parentCode;
    m_sink.addChannel(row);
    if (const std::optional<std::int64_t> broj = m_groups.addIfNew(row.grupa)) {
        ++m_progress.groups;
        m_sink.addGroup(GroupRow{row.grupa, row.type, *broj});
    }
    discard();
}

void PlaylistReader::discard()
{
    m_pending.group.clear();
    m_pending.name.clear();
    m_previousName.clear();
    m_pending.tvgName.clear();
    m_pending.tvgId.clear();
    m_pending.logo.clear();
    m_pending.link.clear();
    m_pending.parentCode = 0;
}

} // namespace listrion::playlist
