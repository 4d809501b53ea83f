#include "editing/ui/GridSetup.h"

#include "editing/StoreGridModel.h"
#include "settings/Regions.h"
#include "settings/TextCatalogue.h"

#include <QHeaderView>
#include <QTableView>

namespace listrion::editing::ui {
namespace {

constexpr int kTwipsPerPixel = 15; // 1440 twips per inch at 96 pixels per inch
constexpr int kGroupTickTwips = 400;
constexpr int kChannelTickWidth = 38;

// The built-in font family of a grid; in the editor windows the font of the region in use. The
// region's character set selects nothing here: Qt picks glyphs for any script by itself.
QString builtInFamily(const settings::Settings& settings, GridOwner owner, const char* builtIn)
{
    if (owner == GridOwner::Editor) {
        if (const auto region = settings::Regions::font(settings.region())) {
            return QString::fromUtf8(region->font.data(), region->font.size());
        }
    }
    return builtIn;
}

// An empty Prikaz entry shows the column.
bool columnHidden(const settings::Settings& settings, int key)
{
    return settings.read(settings::Keys::prikaz(key)) == "0";
}

} // namespace

QFont gridFont(const settings::Settings& settings, settings::SettingsKey name,
               settings::SettingsKey size, const QString& builtInName, int builtInSize)
{
    const std::string family = settings.read(name);
    const std::optional<long long> points = settings.readNumber(size);
    QFont font(family.empty() ? builtInName : QString::fromStdString(family));
    font.setPointSize(points && *points > 0 ? static_cast<int>(*points) : builtInSize);
    return font;
}

int columnWidth(const settings::Settings& settings, int key)
{
    const std::optional<long long> twips = settings.readNumber(settings::Keys::sirina(key));
    return static_cast<int>((twips && *twips > 0 ? *twips : settings::Keys::builtInWidth(key)) /
                            kTwipsPerPixel);
}

void applyGroupGridColumns(QTableView* grid, const settings::Settings& settings, bool ticks,
                           GridOwner owner)
{
    const QString family = builtInFamily(settings, owner, "Arial");
    grid->setFont(gridFont(settings, settings::Keys::GroupFontName, settings::Keys::GroupFontSize,
                           family, 10));
    grid->setColumnWidth(0, kGroupTickTwips / kTwipsPerPixel);
    grid->setColumnHidden(0, !ticks);
    // The group name (7) always shows.
    for (int column = 1; column <= 3; ++column) {
        grid->setColumnWidth(column, columnWidth(settings, column + 6));
        grid->setColumnHidden(column, column >= 2 && columnHidden(settings, column + 6));
    }
}

void applyChannelGridColumns(QTableView* grid, StoreGridModel& model,
                             const settings::Settings& settings, const settings::TextSource& texts,
                             bool ticks, GridOwner owner)
{
    const auto text = [&texts](settings::TextKey key) {
        return QString::fromStdString(texts.text(key));
    };
    using namespace settings::Texts;
    model.setHeaders({text(TickColumn), text(ChannelNameColumn), text(TvgNameColumn),
                      text(EpgIdColumn), text(LinkColumn), text(LogoColumn), text(TypeColumn)});
    const QString family = builtInFamily(settings, owner, "Segoe UI");
    grid->setFont(gridFont(settings, settings::Keys::ChannelFontName,
                           settings::Keys::ChannelFontSize, family, 9));
    grid->setColumnWidth(0, kChannelTickWidth);
    grid->setColumnHidden(0, !ticks);
    for (int column = 1; column <= 6; ++column) {
        grid->setColumnWidth(column, columnWidth(settings, column));
        // The column chooser's Prikaz entries 2..6 hide the columns after the name.
        grid->setColumnHidden(column, column >= 2 && columnHidden(settings, column));
    }
}

} // namespace listrion::editing::ui
