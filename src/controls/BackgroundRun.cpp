#include "controls/BackgroundRun.h"

#include "controls/CountLabels.h"
#include "controls/Gumb.h"
#include "store/Database.h"
#include "store/History.h"
#include "store/SqlError.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <sqlite3.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace listrion::controls {
namespace {

constexpr int kShowAfterMs = 300;

// The worker's connection, reachable from the window thread only to interrupt it.
class WorkerConnection {
public:
    void set(store::Database* db)
    {
        std::lock_guard lock(m_mutex);
        m_db = db;
    }
    void interrupt()
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
        if (m_db != nullptr) {
            m_db->interrupt();
        }
    }
    bool cancelled()
    {
        std::lock_guard lock(m_mutex);
        return m_cancelled;
    }

private:
    std::mutex m_mutex;
    store::Database* m_db = nullptr;
    bool m_cancelled = false;
};

QDialog* progressWindow(QWidget* parent, const QString& text, WorkerConnection& connection)
{
    auto* window = new QDialog(parent);
    window->setObjectName("Progress");
    window->setWindowTitle(QString());
    window->setModal(true);
    auto* label = new QLabel(text, window);
    label->setObjectName("Label1");
    auto* bar = new QProgressBar(window);
    bar->setRange(0, 0);
    // The time since the command started, as the loading window shows it.
    auto* time = new QLabel(window);
    time->setObjectName("lblTime");
    auto* clock = new QTimer(window);
    QElapsedTimer started;
    started.start();
    const auto showTime = [time, started] {
        time->setText(controls::clockText((started.elapsed() + kShowAfterMs) / 1000));
    };
    showTime();
    QObject::connect(clock, &QTimer::timeout, time, showTime);
    clock->start(1000);
    auto* cancel = new controls::Gumb("Cancel", window);
    cancel->setObjectName("cmdCancel");
    cancel->setMinimumSize(110, 30);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(time);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    QObject::connect(cancel, &QAbstractButton::clicked, window, [&connection, cancel] {
        cancel->setEnabled(false);
        connection.interrupt();
    });
    // Closing the window asks for Cancel; it closes itself once the command has ended.
    QObject::connect(window, &QDialog::rejected, window, [&connection] { connection.interrupt(); });
    return window;
}

bool isInterrupt(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const store::SqlError& e) {
        return (e.code() & 0xff) == SQLITE_INTERRUPT;
    } catch (...) {
        return false;
    }
}

} // namespace

bool runInBackground(QWidget* parent, const std::filesystem::path& dataMdb, const QString& text,
                     const std::function<void(store::Database&)>& work)
{
    WorkerConnection connection;
    std::exception_ptr error;
    std::atomic<bool> done = false;
    bool ran = false;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            store::Database db(dataMdb);
            connection.set(&db);
            if (!connection.cancelled()) {
                work(db);
                ran = true;
            }
            connection.set(nullptr);
        } catch (...) {
            connection.set(nullptr);
            error = std::current_exception();
        }
        done = true;
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    QTimer later;
    later.setSingleShot(true);
    QObject::connect(&later, &QTimer::timeout, &loop, &QEventLoop::quit);
    later.start(kShowAfterMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QDialog* window = nullptr;
    if (!done) {
        window = progressWindow(parent, text, connection);
        window->open();
        while (!done) {
            loop.exec();
        }
    }
    worker.join();
    delete window;
    if (error && connection.cancelled() && isInterrupt(error)) {
        return false;
    }
    if (error) {
        std::rethrow_exception(error);
    }
    // A Cancel that came after the last statement leaves the command done.
    return ran;
}

bool runInBackground(QWidget* parent, const std::filesystem::path& dataMdb, const QString& text,
                     const std::string& step, const std::function<void(store::Database&)>& work)
{
    return runInBackground(parent, dataMdb, text, [&](store::Database& worker) {
        const store::StepName name(worker, step);
        work(worker);
    });
}

} // namespace listrion::controls
