#include "editing/ui/WaitPanel.h"

#include "text/CountText.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTime>

namespace listrion::editing {

WaitPanel::WaitPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName("Picture1");
    setFrameShape(QFrame::StyledPanel);
    m_text = new QLabel(this);
    m_text->setObjectName("Label1");
    m_count = new QLabel(this);
    m_count->setObjectName("LabelStevec");
    m_time = new QLabel("00:00:00", this);
    m_time->setObjectName("lblTime");
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_count);
    layout->addSpacing(16);
    layout->addWidget(m_time);
    m_blink.setObjectName("Timer1");
    m_blink.setInterval(500);
    connect(&m_blink, &QTimer::timeout, this,
            [this] { m_text->setVisible(!m_text->isVisibleTo(this)); });
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &WaitPanel::tick);
    hide();
}

void WaitPanel::start(const QString& text)
{
    setText(text);
    m_count->clear();
    m_time->setText("00:00:00");
    m_text->show();
    m_elapsed.start();
    m_blink.start();
    m_clock.start();
    show();
    raise();
}

void WaitPanel::setText(const QString& text)
{
    m_text->setText(text);
}

void WaitPanel::setCount(std::int64_t count)
{
    m_count->setText(QString::fromStdString(text::formatCount(count)));
}

void WaitPanel::finish()
{
    m_blink.stop();
    m_clock.stop();
    m_text->show();
    hide();
}

QString WaitPanel::text() const
{
    return m_text->text();
}

void WaitPanel::tick()
{
    m_time->setText(
        QTime(0, 0).addMSecs(static_cast<int>(m_elapsed.elapsed())).toString("hh:mm:ss"));
}

void WaitPanelObserver::progress(const playlist::Progress& progress)
{
    m_panel.setCount(progress.written > 0 ? progress.written : progress.entries);
    QCoreApplication::processEvents();
}

bool WaitPanelObserver::cancelRequested()
{
    return false;
}

} // namespace listrion::editing
