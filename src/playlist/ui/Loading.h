#pragma once

#include "playlist/HttpClient.h"
#include "playlist/LoadResult.h"
#include "playlist/PlaylistOpening.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QThread;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::settings {
class Settings;
class TextSource;
} // namespace listrion::settings

namespace listrion::playlist::ui {

// The loading window: reads a playlist file, or downloads and reads a playlist address, into
// data.mdb on a worker thread while it shows the progress, the counters and the limit, and
// stops at Cancel (keeping what was read). It closes itself when the run ends; a failure is
// told through the Prompter.
class Loading : public QDialog {
    Q_OBJECT

public:
    // What the worker thread runs; the options carry the window's live limit.
    using Run = std::function<LoadResult(const OpenOptions&, ProgressObserver*)>;

    // `source` is a file path or a playlist address (isPlaylistAddress).
    Loading(const QString& source, const OpenOptions& options, const settings::TextSource& texts,
            controls::Prompter& prompter, QWidget* parent = nullptr);
    ~Loading() override;

    // The client that downloads an address; without one the window uses its own CurlHttpClient.
    void setHttpClient(HttpClient* http) { m_http = http; }
    // Where the address of a failed download is remembered (key URL) when the user does not
    // want it opened in the browser.
    void setSettings(const settings::Settings* settings) { m_settings = settings; }
    // Opens an address with the desktop's handler (replaced in tests).
    void setAddressOpener(std::function<void(const QString&)> opener);
    // Takes the source for an address typed by the user even when it is no http, https or ftp
    // address: it then fails as a download that failed, with the browser question.
    void setAddress() { m_address = true; }
    // Replaces the reader call (Open_Playlist or Open_URL), for tests that slow it down.
    void setRun(Run run) { m_run = std::move(run); }

    // Shows the window and starts the run; finished() follows when it has ended.
    void start();
    // Starts the run and waits, modal, until it has ended and the window has closed.
    int exec() override;

    bool isRunning() const { return m_thread != nullptr && !m_done; }
    const LoadResult& loadResult() const { return m_result; }
    // The limit as set by the limit controls; ReaderOptions::kNoLimit when switched off.
    std::int64_t limit() const { return m_limit.load(); }

public slots:
    // Closing the window while the run goes on stops the run instead.
    void reject() override;

private:
    class Observer;

    void build();
    QWidget* buildCounters();
    QWidget* buildLimit();
    void stepLimit(std::int64_t step);
    void setUnlimited(bool unlimited);
    void showLimit();
    void showProgress();
    void showElapsed();
    void runEnded();
    void tellFailure();
    Run readerRun();

    QString m_source;
    bool m_address; // downloaded (Open_URL) rather than read as a file
    OpenOptions m_options;
    const settings::TextSource& m_texts;
    controls::Prompter& m_prompter;
    HttpClient* m_http = nullptr;
    std::unique_ptr<HttpClient> m_ownHttp;
    const settings::Settings* m_settings = nullptr;
    std::function<void(const QString&)> m_openAddress;
    Run m_run;

    std::atomic<std::int64_t> m_limit;
    std::unique_ptr<Observer> m_observer;
    QThread* m_thread = nullptr;
    bool m_done = false;
    LoadResult m_result;
    QElapsedTimer m_elapsed;
    QTimer m_clock;   // the elapsed time, once a second
    QTimer m_refresh; // the counters, from the worker's latest progress

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblGroups = nullptr; // lblSkupina index 1
    QLabel* lblLive = nullptr;   // lblSkupina index 3
    QLabel* lblVod = nullptr;    // lblSkupina index 4
    QLabel* LabelStevec = nullptr;
    QLineEdit* txtIme_Grupe = nullptr;
    QLineEdit* txtIme_Kanala = nullptr;
    QLabel* lblOmejitev = nullptr;
    QCheckBox* Check1 = nullptr;
    controls::Gumb* cmd_Naz_G = nullptr;
    controls::Gumb* cmdNap_G = nullptr;
    controls::Gumb* cmdStop_Find = nullptr;
};

} // namespace listrion::playlist::ui
