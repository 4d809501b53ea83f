#include "editing/ui/GridSetup.h"

#include "editing/StoreGridModel.h"
#include "settings/TextCatalogue.h"

#include <QHeaderView>
#include <QTableView>

namespace listrion::editing::ui {
namespace {

constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 pixels per inch
constexpr int kGroupTickTwips = 400;
constexpr int kChannelTickWidth = 38;

} // namespace

QFont gridFont(const settings::Settings& settings, settings::SettingsKey name,
               settings::SettingsKey size, const char* builtInName, int builtInSize)
{
    const std::string family = settings.read(name);
    const std::optional<long long> points = settings.readNumber(size);
    QFont font(family.empty() ? QString(builtInName) : QString::fromStdString(family));
    font.setPointSize(points && *points > 0 ? static_cast<int>(*points) : builtInSize);
    return font;
}

int columnWidth(const settings::Settings& settings, int key, int builtInTwips)
{
    const std::optional<long long> twips = settings.readNumber(settings::Keys::sirina(key));
    return static_cast<int>((twips && *twips > 0 ? *twips : builtInTwips) / kTwipsPerPixel);
}

void applyGroupGridColumns(QTableView* grid, const settings::Settings& settings, bool ticks)
{
    grid->setFont(gridFont(settings, settings::Keys::GroupFontName, settings::Keys::GroupFontSize,
                           "Arial", 10));
    grid->setColumnWidth(0, kGroupTickTwips / kTwipsPerPixel);
    grid->setColumnHidden(0, !ticks);
    grid->setColumnWidth(1, columnWidth(settings, 7, 2900));
    grid->setColumnWidth(2, columnWidth(settings, 8, 1100));
    grid->setColumnWidth(3, columnWidth(settings, 9, 1000));
}

void applyChannelGridColumns(QTableView* grid, StoreGridModel& model,
                             const settings::Settings& settings, const settings::TextSource& texts,
                             bool ticks)
{
    const auto text = [&texts](settings::TextKey key) {
        return QString::fromStdString(texts.text(key));
    };
    using namespace settings::Texts;
    model.setHeaders({text(TickColumn), text(ChannelNameColumn), text(TvgNameColumn),
                      text(EpgIdColumn), text(LinkColumn), text(LogoColumn), text(TypeColumn)});
    grid->setFont(gridFont(settings, settings::Keys::ChannelFontName,
                           settings::Keys::ChannelFontSize, "Segoe UI", 9));
    grid->setColumnWidth(0, kChannelTickWidth);
    grid->setColumnHidden(0, !ticks);
    static constexpr int kBuiltIn[] = {3200, 3200, 3200, 7000, 7000, 3200};
    for (int column = 1; column <= 6; ++column) {
        grid->setColumnWidth(column, columnWidth(settings, column, kBuiltIn[column - 1]));
        // The column chooser's Prikaz entries 2..6 hide the columns after the name; an empty
        // entry shows the column.
        grid->setColumnHidden(column,
                              column >= 2 && settings.read(settings::Keys::prikaz(column)) == "0");
    }
}

} // namespace listrion::editing::ui
