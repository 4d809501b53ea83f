#include "playlist/BatchWriter.h"

#include "store/Database.h"
#include "store/Statement.h"
#include "store/Transaction.h"

namespace listrion::playlist {
namespace {

constexpr std::size_t kBatchRows = 4096;
// Batches waiting for the writer; the reader waits when it is this far ahead.
constexpr std::size_t kQueuedBatches = 3;
// A batch is handed over before its text could outgrow 32-bit positions.
constexpr std::size_t kBatchText = std::size_t{1} << 30;

// Channel rows go in with one statement for several rows at a time. The statement is OR FAIL:
// one that fails keeps the rows it inserted before, so the engine needs no copy of the pages it
// changes to undo them alone. A failed batch still leaves nothing behind: its transaction is
// rolled back whole.
constexpr std::size_t kRowsPerInsert = 256;
constexpr int kChannelValues = 10;

std::string insertChannels(LoadTables tables, std::size_t rows)
{
    std::string sql = "INSERT OR FAIL INTO " + store::quoteIdentifier(channelTable(tables)) +
                      " (grupa, name, tvgname, tvgid, link, logo, broj, type, parent_code, "
                      "extras) VALUES ";
    for (std::size_t i = 0; i < rows; ++i) {
        sql += i == 0 ? "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)" : ", (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    }
    return sql;
}

std::string insertGroup(LoadTables tables)
{
    return "INSERT INTO " + store::quoteIdentifier(groupTable(tables)) +
           " (grupa, type, broj) VALUES (?, ?, ?)";
}

} // namespace

BatchWriter::BatchWriter(store::Database& db, LoadTables tables)
    : m_db(db), m_tables(tables), m_pending(std::make_unique<Batch>())
{
    m_thread = std::thread([this] { work(); });
}

BatchWriter::~BatchWriter()
{
    try {
        finish();
    } catch (...) {
        // finish() was not called: the caller is already leaving with an error of its own.
    }
}

BatchWriter::Slice BatchWriter::keep(std::string_view text)
{
    const Slice slice{static_cast<std::uint32_t>(m_pending->text.size()),
                      static_cast<std::uint32_t>(text.size())};
    m_pending->text.append(text);
    return slice;
}

void BatchWriter::addChannel(const ChannelRow& row)
{
    const std::size_t size = row.grupa.size() + row.name.size() + row.tvgname.size() +
                             row.tvgid.size() + row.link.size() + row.logo.size() +
                             row.extras.size();
    if (m_pending->text.size() + size >= kBatchText) {
        handOver();
    }
    m_pending->channels.push_back({keep(row.grupa), keep(row.name), keep(row.tvgname),
                                   keep(row.tvgid), keep(row.link), keep(row.logo),
                                   keep(row.extras), row.broj, row.type, row.parentCode});
    if (m_pending->channels.size() >= kBatchRows) {
        handOver();
    }
}

void BatchWriter::addGroup(const GroupRow& row)
{
    m_pending->groups.push_back({keep(row.grupa), row.type, row.broj});
}

void BatchWriter::handOver()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.size() < kQueuedBatches || m_error; });
    if (!m_error) {
        m_queue.push_back(std::move(m_pending));
        m_changed.notify_all();
    }
    if (!m_spare.empty()) {
        m_pending = std::move(m_spare.back());
        m_spare.pop_back();
    } else {
        m_pending = std::make_unique<Batch>();
    }
    lock.unlock();
    m_pending->text.clear();
    m_pending->channels.clear();
    m_pending->groups.clear();
}

void BatchWriter::finish()
{
    if (!m_thread.joinable()) {
        return;
    }
    if (!m_pending->channels.empty() || !m_pending->groups.empty()) {
        handOver();
    }
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
    if (m_error) {
        std::rethrow_exception(m_error);
    }
}

void BatchWriter::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_closing; });
        if (m_queue.empty()) {
            releaseStatements();
            return;
        }
        std::unique_ptr<Batch> batch = std::move(m_queue.front());
        m_queue.pop_front();
        m_changed.notify_all();
        lock.unlock();
        try {
            write(*batch);
        } catch (...) {
            lock.lock();
            m_error = std::current_exception();
            m_failed = true;
            m_queue.clear();
            m_changed.notify_all();
            releaseStatements();
            return;
        }
        lock.lock();
        m_spare.push_back(std::move(batch));
    }
}

store::Statement& BatchWriter::prepared(std::unique_ptr<store::Statement>& statement,
                                        const std::string& sql)
{
    if (!statement) {
        statement = std::make_unique<store::Statement>(m_db.prepare(sql));
    }
    return *statement;
}

void BatchWriter::releaseStatements()
{
    m_insertMany.reset();
    m_insertOne.reset();
    m_insertGroup.reset();
}

void BatchWriter::write(const Batch& batch)
{
    store::Transaction tx(m_db);
    const std::size_t count = batch.channels.size();
    std::size_t done = 0;
    if (count >= kRowsPerInsert) {
        store::Statement& many = prepared(m_insertMany, insertChannels(m_tables, kRowsPerInsert));
        for (; done + kRowsPerInsert <= count; done += kRowsPerInsert) {
            for (std::size_t i = 0; i < kRowsPerInsert; ++i) {
                bindChannel(many, static_cast<int>(i) * kChannelValues, batch,
                            batch.channels[done + i]);
            }
            many.run();
        }
    }
    if (done < count) {
        store::Statement& one = prepared(m_insertOne, insertChannels(m_tables, 1));
        for (; done < count; ++done) {
            bindChannel(one, 0, batch, batch.channels[done]);
            one.run();
        }
    }
    if (!batch.groups.empty()) {
        store::Statement& group = prepared(m_insertGroup, insertGroup(m_tables));
        for (const StoredGroup& row : batch.groups) {
            group.bindView(1, batch.view(row.grupa)).bindView(2, row.type).bind(3, row.broj);
            group.run();
        }
    }
    tx.commit();
}

void BatchWriter::bindChannel(store::Statement& st, int first, const Batch& batch,
                              const StoredChannel& row)
{
    st.bindView(first + 1, batch.view(row.grupa))
        .bindView(first + 2, batch.view(row.name))
        .bindView(first + 3, batch.view(row.tvgname))
        .bindView(first + 4, batch.view(row.tvgid))
        .bindView(first + 5, batch.view(row.link))
        .bindView(first + 6, batch.view(row.logo))
        .bind(first + 7, row.broj)
        .bindView(first + 8, row.type)
        .bind(first + 9, static_cast<std::int64_t>(row.parentCode));
    if (row.extras.size == 0) {
        st.bindNull(first + 10);
    } else {
        st.bindView(first + 10, batch.view(row.extras));
    }
}

} // namespace listrion::playlist
