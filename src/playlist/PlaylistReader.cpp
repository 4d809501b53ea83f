#include "playlist/PlaylistReader.h"

#include "playlist/Extraction.h"
#include "playlist/Extras.h"
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
      m_liveLimit(options.liveLimit), m_lineBreakTest(lineBreakTest),
      m_keepExtras(options.mode == PlaylistMode::Full), m_typeRule(options.typeRule),
      m_groups(groups), m_sink(sink), m_observer(observer)
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
    const LineText::LineKind kind = LineText::lineKind(line);
    if (kind == LineText::LineKind::Extinf) {
        handleExtinf(line);
    } else if (kind != LineText::LineKind::Other && !m_pending.name.empty()) {
        keepBesideEntry(line, kind);
    } else {
        if (m_keepExtras && !m_seenExtinf && m_header.empty() && Extras::isHeaderLine(line)) {
            Extras::appendHeaderAttributes(line, m_header);
        }
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
    const std::string_view link = GetStreamLink(line);
    // A second #EXTINF: line replaces the pending entry, its option lines included.
    m_pending.extras.clear();
    if (m_keepExtras) {
        Extras::appendKeptAttributes(
            extinf, link.empty() ? std::string_view::npos : std::size_t(link.data() - line.data()),
            m_pending.extras);
    }
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
    m_decoder.plain(link, m_pending.link);
    m_pending.parentCode = GetParentCode(extinf);
    // The main reader's type comes from the link alone; only the merge reader stores "Radio".
    m_pending.radio = !GetRadioMark(extinf).empty();

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
    const std::string_view link = GetStreamLink(line);
    m_decoder.plain(link, m_pending.link);
    if (m_pending.name.empty()) {
        discard();
        return;
    }
    // An address the reader cannot take (rtmp://, HTTP://, ...) is kept to be written back.
    if (m_keepExtras && link.empty()) {
        m_pending.extras.push_back('\n');
        m_pending.extras.append(LineText::trim(line));
    }
    // The first line after an #EXTINF: line that is neither blank nor a comment completes the
    // entry, even without an address.
    store();
}

// A blank or comment line between an #EXTINF: line and its address: the entry stays pending
// and a comment line is one of its option lines.
void PlaylistReader::keepBesideEntry(std::string_view line, LineText::LineKind kind)
{
    if (m_keepExtras && kind == LineText::LineKind::Comment) {
        m_pending.extras.push_back('\n');
        m_pending.extras.append(LineText::trimLeading(line));
    }
}

std::string PlaylistReader::headerExtras() const
{
    return m_decoder.plain(m_header);
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
    row.type = m_typeRule == TypeRule::Merge ? GetMergeStreamType(m_pending.link, m_pending.radio)
                                             : GetStreamType(m_pending.link);
    if (row.type == "VOD") {
        ++m_progress.vod;
    } else {
        row.tvgid = LineText::trimLeading(m_pending.tvgId);
        ++(row.type == "Radio" ? m_progress.radio : m_progress.live);
    }
    row.grupa = LineText::trimLeading(m_pending.group);
    row.name = LineText::trimLeading(m_pending.name);
    row.tvgname = LineText::trimLeading(m_pending.tvgName);
    row.logo = LineText::trimLeading(m_pending.logo);
    row.link = m_pending.link;
    row.broj = m_progress.entries;
    row.parentCode = m_pending.parentCode;
    if (!m_pending.extras.empty()) {
        m_decoder.plain(m_pending.extras, m_extras);
        row.extras = m_extras;
    }
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
    m_pending.radio = false;
    m_pending.extras.clear();
}

} // namespace listrion::playlist
