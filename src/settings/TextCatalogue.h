#pragma once

#include "settings/TextSource.h"

#include <iterator>
#include <span>
#include <string_view>

// Every language text the program looks up, one line each: X(Name, "Section", number).
// Call sites use the name (texts.text(Texts::Name)), never a literal section and number. The
// catalogue test fails when a name here is not used in src/, and when a language file in data/
// lacks one of these keys or leaves its text empty. Add a line when a window starts to use a
// text; English.lng already holds every key the windows are meant to use.
#define LISTRION_TEXT_CATALOGUE(X)                                                                 \
    X(GroupColumn, "Main", 10)                                                                     \
    X(ChooseGroupFirst, "Main", 17)                                                                \
    X(ReplaceFileQuestion, "Main", 19)                                                             \
    X(ChangesMade, "Main", 20)                                                                     \
    X(NothingToUndo, "Main", 21)                                                                   \
    X(EpgListWritten, "Main", 47)                                                                  \
    X(EpgArchiveSaved, "Main", 51)                                                                 \
    X(EpgAddressPrompt, "Main", 59)                                                                \
    X(ChannelNameColumn, "Main", 30)                                                               \
    X(TvgNameColumn, "Main", 31)                                                                   \
    X(FileSaved, "Main", 53)                                                                       \
    X(RenameGroupCaption, "Main", 57)                                                              \
    X(RenameGroupLabel, "Main", 58)                                                                \
    X(SaveFirstQuestion, "Main", 60)                                                               \
    X(UndoDone, "Main", 64)                                                                        \
    X(NewPlaylistCreated, "Main", 66)                                                              \
    X(MoveToGroupOff, "Main", 68)                                                                  \
    X(MoveToGroupOn, "Main", 69)                                                                   \
    X(SelectAll, "Main", 70)                                                                       \
    X(DeselectAll, "Main", 71)                                                                     \
    X(SelectChannelsToDelete, "Main", 74)                                                          \
    X(LeaveMultiSelection, "Main", 76)                                                             \
    X(SelectGroupsToDelete, "Main", 77)                                                            \
    X(ParentCodePrompt, "Main", 87)                                                                \
    X(CodeTooLong, "Main", 89)                                                                     \
    X(CodeTooShort, "Main", 90)                                                                    \
    X(CodeDigitsOnly, "Main", 93)                                                                  \
    X(WithoutParentalCode, "Main", 96)                                                             \
    X(WithParentalCode, "Main", 97)                                                                \
    X(CopyDone, "Main", 105)                                                                       \
    X(GroupsCaption, "Main", 116)                                                                  \
    X(ChannelsCaption, "Main", 117)                                                                \
    X(TickFirst, "Main", 124)                                                                      \
    X(PrefixEmpty, "Main", 125)                                                                    \
    X(SuffixEmpty, "Main", 126)                                                                    \
    X(NoNameColumn, "Main", 127)                                                                   \
    X(ImportingLogos, "Main", 134)                                                                 \
    X(LogosImported, "Main", 135)                                                                  \
    X(LogoArchiveSaved, "Main", 136)                                                               \
    X(SaveLogoArchiveQuestion, "Main", 137)                                                        \
    X(ChooseAGroup, "Main", 140)                                                                   \
    X(ChooseAType, "Main", 141)                                                                    \
    X(GroupTypeChanged, "Main", 142)                                                               \
    X(SameGroupInBothLists, "Main", 145)                                                           \
    X(PlaylistsMerged, "Main", 172)                                                                \
    X(SecondPlaylistLoaded, "Main", 174)                                                           \
    X(PressMergeToAdd, "Main", 175)                                                                \
    X(SortAllChannelsQuestion, "Main", 176)                                                        \
    X(SortGroupChannelsQuestion, "Main", 177)                                                      \
    X(MainDownloadFailedQuestion, "Main", 179)                                                     \
    X(MergeIntoGroupQuestion, "Main", 180)                                                         \
    X(MergeGroupsQuestion, "Main", 181)                                                            \
    X(PlaylistFileMissing, "Main", 184)                                                            \
    X(GroupNameTaken, "Main", 182)                                                                 \
    X(TextTooLong, "Main", 183)                                                                    \
    X(ArchiveDamagedQuestion, "Main", 190)                                                         \
    X(EpgArchiveEmpty, "Main", 191)                                                                \
    X(LogoArchiveEmpty, "Main", 192)                                                               \
    X(AddChannelCaption, "Channel", 1)                                                             \
    X(SaveButton, "Channel", 2)                                                                    \
    X(CancelButton, "Channel", 3)                                                                  \
    X(EditChannelCaption, "Channel", 4)                                                            \
    X(GroupLabel, "Channel", 5)                                                                    \
    X(StreamLinkLabel, "Channel", 6)                                                               \
    X(AddGroupCaption, "Add_group", 1)                                                             \
    X(GroupNameLabel, "Add_group", 3)                                                              \
    X(GroupTypeLabel, "Add_group", 4)                                                              \
    X(NoGroupTicked, "Add_group", 8)                                                               \
    X(AddGroupHint, "Add_group", 110)                                                              \
    X(ChannelNeedsGroup, "Add_channel", 1)                                                         \
    X(ChannelNeedsName, "Add_channel", 2)                                                          \
    X(ChannelNeedsLink, "Add_channel", 3)                                                          \
    X(ChannelNeedsType, "Add_channel", 4)                                                          \
    X(ChannelAdded, "Add_channel", 5)                                                              \
    X(GroupNeedsName, "Ars2_group", 5)                                                             \
    X(BackupCaption, "Backup", 1)                                                                  \
    X(BackupMakeButton, "Backup", 2)                                                               \
    X(BackupCancelButton, "Backup", 3)                                                             \
    X(BackupQuestion, "Backup", 4)                                                                 \
    X(BackupMade, "Backup", 5)                                                                     \
    X(RestoreCaption, "Restore", 1)                                                                \
    X(RestoreButton, "Restore", 2)                                                                 \
    X(RestoreCancelButton, "Restore", 3)                                                           \
    X(RestoreDone, "Restore", 4)                                                                   \
    X(CheckLinkCaption, "Check_Link", 1)                                                           \
    X(CheckLinkRunButton, "Check_Link", 2)                                                         \
    X(CheckLinkStopButton, "Check_Link", 3)                                                        \
    X(CheckLinkDeleteButton, "Check_Link", 4)                                                      \
    X(CheckLinkBrokenLabel, "Check_Link", 5)                                                       \
    X(CheckLinkDeleteQuestion, "Check_Link", 6)                                                    \
    X(CheckLinkWorkingLabel, "Check_Link", 7)                                                      \
    X(CheckLinkCheckedLabel, "Check_Link", 8)                                                      \
    X(CheckLinkTotalLabel, "Check_Link", 9)                                                        \
    X(CheckLinkRegisterButton, "Check_Link", 10)                                                   \
    X(CheckLinkExitButton, "Check_Link", 11)                                                       \
    X(CheckLinkFinished, "Check_Link", 12)                                                         \
    X(CheckLinkStopped, "Check_Link", 13)                                                          \
    X(EpgCaption, "EPG", 7)                                                                        \
    X(EpgCodeLabel, "EPG", 8)                                                                      \
    X(EpgDeriveButton, "EPG", 9)                                                                   \
    X(EpgClearQuestion, "EPG", 10)                                                                 \
    X(EpgClearQuestionEnd, "EPG", 11)                                                              \
    X(EpgCleared, "EPG", 12)                                                                       \
    X(EpgDerived, "EPG", 13)                                                                       \
    X(EpgClearButton, "EPG", 14)                                                                   \
    X(EpgLookupLabel, "EPG", 40)                                                                   \
    X(EpgWindowEntry, "EPG", 41)                                                                   \
    X(WorkReadingDownload, "Work", 2)                                                              \
    X(MenuFile, "Menu", 1)                                                                         \
    X(MenuEdit, "Menu", 2)                                                                         \
    X(MenuGroups, "Menu", 3)                                                                       \
    X(MenuChannels, "Menu", 4)                                                                     \
    X(MenuExtra, "Menu", 5)                                                                        \
    X(MenuTools, "Menu", 6)                                                                        \
    X(MenuLogo, "Menu", 7)                                                                         \
    X(MenuHelp, "Menu", 8)                                                                         \
    X(MenuLanguage, "Menu", 9)                                                                     \
    X(OpenPlaylistEntry, "Menu", 10)                                                               \
    X(OpenAddressEntry, "Menu", 11)                                                                \
    X(NewPlaylistEntry, "Menu", 12)                                                                \
    X(SavePlaylistEntry, "Menu", 13)                                                               \
    X(MergePlaylistEntry, "Menu", 14)                                                              \
    X(ConvertPlaylistMenu, "Menu", 15)                                                             \
    X(ClosePlaylistEntry, "Menu", 16)                                                              \
    X(RenumberPlaylistEntry, "Menu", 17)                                                           \
    X(ExitEntry, "Menu", 18)                                                                       \
    X(EpgAddressesEntry, "Menu", 19)                                                               \
    X(UndoEntry, "Menu", 20)                                                                       \
    X(RedoEntry, "Menu", 21)                                                                       \
    X(AddGroupEntry, "Menu", 22)                                                                   \
    X(RenameGroupEntry, "Menu", 23)                                                                \
    X(DeleteGroupEntry, "Menu", 24)                                                                \
    X(GroupUpEntry, "Menu", 25)                                                                    \
    X(GroupDownEntry, "Menu", 26)                                                                  \
    X(GroupToTopEntry, "Menu", 27)                                                                 \
    X(GroupToBottomEntry, "Menu", 28)                                                              \
    X(GroupEditorEntry, "Menu", 29)                                                                \
    X(TickedGroupsToTopEntry, "Menu", 30)                                                          \
    X(TickedGroupsToBottomEntry, "Menu", 31)                                                       \
    X(LeaveTickingEntry, "Menu", 32)                                                               \
    X(RepairGroupTypesEntry, "Menu", 33)                                                           \
    X(ExportGroupsEntry, "Menu", 34)                                                               \
    X(ExportTickedGroupsEntry, "Menu", 35)                                                         \
    X(AddParentalCodeEntry, "Menu", 36)                                                            \
    X(RemoveParentalCodeEntry, "Menu", 37)                                                         \
    X(ChannelUpEntry, "Menu", 38)                                                                  \
    X(ChannelDownEntry, "Menu", 39)                                                                \
    X(ChannelToTopEntry, "Menu", 40)                                                               \
    X(ChannelToBottomEntry, "Menu", 41)                                                            \
    X(DeleteChannelEntry, "Menu", 42)                                                              \
    X(EditChannelEntry, "Menu", 43)                                                                \
    X(AddChannelEntry, "Menu", 44)                                                                 \
    X(MoveToGroupMenu, "Menu", 45)                                                                 \
    X(CopyToGroupMenu, "Menu", 46)                                                                 \
    X(CopyTickingEntry, "Menu", 47)                                                                \
    X(TickedChannelsUpEntry, "Menu", 48)                                                           \
    X(TickedChannelsDownEntry, "Menu", 49)                                                         \
    X(TickedChannelsToTopEntry, "Menu", 50)                                                        \
    X(TickedChannelsToBottomEntry, "Menu", 51)                                                     \
    X(ChannelEditorEntry, "Menu", 52)                                                              \
    X(PlayChannelEntry, "Menu", 53)                                                                \
    X(FindChannelEntry, "Menu", 54)                                                                \
    X(ChannelExplorerEntry, "Menu", 55)                                                            \
    X(UndoAllEntry, "Menu", 56)                                                                    \
    X(CheckLinksEntry, "Menu", 57)                                                                 \
    X(OpenButton, "Menu", 58)                                                                      \
    X(OpenAddressButton, "Menu", 59)                                                               \
    X(NewButton, "Menu", 60)                                                                       \
    X(BackupButton, "Menu", 61)                                                                    \
    X(RestoreBackupButton, "Menu", 62)                                                             \
    X(UpButton, "Menu", 63)                                                                        \
    X(DownButton, "Menu", 64)                                                                      \
    X(RenameButton, "Menu", 65)                                                                    \
    X(DeleteButton, "Menu", 66)                                                                    \
    X(EditorButton, "Menu", 67)                                                                    \
    X(MergeButton, "Menu", 68)                                                                     \
    X(AddButton, "Menu", 69)                                                                       \
    X(EditButton, "Menu", 70)                                                                      \
    X(PlayButton, "Menu", 71)                                                                      \
    X(FindButton, "Menu", 72)                                                                      \
    X(ExplorerButton, "Menu", 73)                                                                  \
    X(PlaylistNameLabel, "Menu", 74)                                                               \
    X(PlaylistLabel, "Menu", 75)                                                                   \
    X(TickColumn, "Menu", 76)                                                                      \
    X(TypeColumn, "Menu", 77)                                                                      \
    X(StreamsColumn, "Menu", 78)                                                                   \
    X(EpgIdColumn, "Menu", 79)                                                                     \
    X(LinkColumn, "Menu", 80)                                                                      \
    X(LogoColumn, "Menu", 81)                                                                      \
    X(YesButton, "Menu", 82)                                                                       \
    X(NoButton, "Menu", 83)                                                                        \
    X(OkButton, "Menu", 84)                                                                        \
    X(CheckUpdatesEntry, "Menu", 85)                                                               \
    X(RestructuringEntry, "Menu", 86)                                                              \
    X(ImportEpgEntry, "Menu", 90)                                                                  \
    X(SaveEpgArchiveEntry, "Menu", 91)                                                             \
    X(EpgAddressEntry, "Menu", 92)                                                                 \
    X(ImportLogosEntry, "Menu", 93)                                                                \
    X(SaveLogoArchiveEntry, "Menu", 94)                                                            \
    X(ColumnChooserCaption, "Channel", 7)                                                          \
    X(ColumnChooserFrame, "Channel", 8)                                                            \
    X(SettingsCaption, "Settings", 1)                                                              \
    X(RegionLabel, "Settings", 2)                                                                  \
    X(ChannelFontLabel, "Settings", 3)                                                             \
    X(GroupFontLabel, "Settings", 4)                                                               \
    X(FontSizeLabel, "Settings", 5)                                                                \
    X(CloseButton, "Settings", 6)                                                                  \
    X(ColumnChooserGroupFrame, "Settings", 7)                                                      \
    X(FontsEntry, "Settings", 8)                                                                   \
    X(ColumnsEntry, "Settings", 9)                                                                 \
    X(VariantsMenu, "Settings", 10)                                                                \
    X(RecentPlaylistsMenu, "Menu", 95)                                                             \
    X(UserGuideEntry, "Menu", 96)                                                                  \
    X(VersionPageEntry, "Menu", 97)                                                                \
    X(HomePageEntry, "Menu", 98)                                                                   \
    X(InstallForUserEntry, "Menu", 99)

namespace listrion::settings::Texts {

#define LISTRION_DECLARE_TEXT(name, section, key) inline constexpr TextKey name{section, key};
LISTRION_TEXT_CATALOGUE(LISTRION_DECLARE_TEXT)
#undef LISTRION_DECLARE_TEXT

struct Entry {
    std::string_view name;
    TextKey key;
};

namespace detail {
// Ends with an empty entry so that the list is well-formed while the catalogue is empty.
#define LISTRION_TEXT_ENTRY(name, section, key) Entry{#name, TextKey{section, key}},
inline constexpr Entry kEntries[] = {LISTRION_TEXT_CATALOGUE(LISTRION_TEXT_ENTRY) Entry{}};
#undef LISTRION_TEXT_ENTRY
} // namespace detail

// The catalogue as a list, for the checks.
inline constexpr std::span<const Entry> kAll{detail::kEntries, std::size(detail::kEntries) - 1};

} // namespace listrion::settings::Texts
