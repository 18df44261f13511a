#pragma once

namespace ostrel {

// Ids of the program's string table (texts in stringtable.inc).
enum StringId {
    IdsLoaderCaption = 40000,   // caption of every loader message
    IdsMemoryFailure = 40001,   // memory could not be allocated
    IdsNotAScript = 40002,      // the version line does not match
    IdsBadEntrants = 40003,     // the entrant section is incomplete
    IdsTooLarge = 40004,        // arena or entrant count beyond what can be shown
    IdsSettingsNotSaved = 40005, // the window's settings could not be written at closing
    IdsCannotOpen = 40006,      // a named file is missing or cannot be read; %1 is its path

    // The context menus of the battle list and the map.
    IdsGoToBattleStart = 40100,
    IdsGoToBattleEnd = 40101,
    IdsSaveMap = 40102,
    IdsCopyMap = 40103,
    IdsShowSummary = 40104,
    IdsSaveMapTitle = 40105,      // title of the dialog that asks where to save the map
    IdsSaveMapFilter = 40106,
    IdsMapNotSaved = 40107,
    // The entrant in a map cell; %1 is the value.
    IdsEntrantName = 40110,
    IdsEntrantOwner = 40111,
    IdsEntrantEmblem = 40112,
    IdsEntrantRate = 40113,       // %1 percent
    IdsEntrantInPlay = 40114,
    IdsEntrantOut = 40115,        // %1 the status it went out with
    IdsEntrantWins = 40116,
    IdsEntrantBattles = 40117,    // %1 the battles' captions
    IdsNone = 40118,
    // The tournament summary.
    IdsSummaryTitle = 40120,
    IdsSummaryWinner = 40121,     // %1 the winner
    IdsSummaryNoWinner = 40122,   // %1 how many are still in play
    IdsSummaryPlace = 40123,
    IdsSummaryEmblem = 40124,
    IdsSummaryName = 40125,
    IdsSummaryOwner = 40126,
    IdsSummaryWins = 40127,
    IdsSummaryOutTurn = 40128,
    IdsSummaryCopy = 40129,
    IdsSummaryClose = 40130,
    // Following one entrant: its battles, its exit, its hit points.
    IdsFollowMenu = 40230,
    IdsFollowedNextBattle = 40231,
    IdsFollowedPreviousBattle = 40232,
    IdsFollowedExit = 40233,
    IdsFollowedBattlesOnly = 40234,
    IdsFollowPlayer1 = 40235,     // %1 the player's emblem
    IdsFollowPlayer2 = 40236,     // %1 the player's emblem
    IdsRateChartHint = 40237,
    IdsSummaryFollowHint = 40238,
    // The status bar, the overview strip and Go to.
    IdsStatusPosition = 40260,    // %1 the position, %2 the end position
    IdsStatusTurn = 40261,        // %1 the turn
    IdsStatusZoom = 40262,        // %1 the zoom in percent
    IdsShowOverviewStrip = 40263,
    IdsStripTip = 40264,          // %1 position, %2 turn, %3 entrants in play, %4 the battle
    IdsStripBattle = 40265,       // %1 its list caption's number, %2 its battle number
    IdsGoTo = 40266,              // the menu item and the dialog's title
    IdsGoToPrompt = 40267,        // %1 the end position
    IdsGoToPosition = 40268,
    IdsGoToTurn = 40269,
    IdsGoToNotANumber = 40270,
    // Finding and following an entrant.
    IdsFindPlaceholder = 40200,   // the find bar's empty text
    IdsFindIndexColumn = 40201,
    IdsFindInPlayColumn = 40202,
    IdsFindInPlay = 40203,
    IdsFindOut = 40204,
    IdsFindCount = 40205,         // %1 how many entrants match
    IdsFindClose = 40206,         // the close button's tooltip
    IdsFollowEntrant = 40207,
    IdsStopFollowing = 40208,
    IdsWholeTrail = 40209,
    // Watching the open file as it is written.
    IdsLiveGrowing = 40300,
    IdsLiveStalled = 40301,       // %1 seconds without growth
    IdsLiveAtEnd = 40302,
    IdsLiveBehind = 40303,        // %1 steps behind the live end
    IdsLiveTip = 40304,
    IdsLiveReloaded = 40305,
    IdsLiveReloadFailed = 40306,  // %1 the loader's message
    IdsLiveMissing = 40307,
    IdsLiveUnreadable = 40308,
    IdsLiveWaiting = 40309,

    // Exporting a stretch of the replay as an animation.
    IdsExportClip = 40330,        // the menu item and the dialog's title
    IdsClipFirst = 40331,
    IdsClipLast = 40332,
    IdsClipTime = 40333,
    IdsClipTimeMs = 40334,        // %1 ms
    IdsClipTimePlay = 40335,      // %1 ms, the play speed
    IdsClipTimeFast = 40336,      // %1 ms, the fast play speed
    IdsClipScale = 40337,
    IdsClipWindowZoom = 40338,    // %1 the window's zoom in percent
    IdsClipWidth = 40339,
    IdsClipArea = 40340,
    IdsClipWholeArena = 40341,
    IdsClipInView = 40342,
    IdsClipOverlay = 40343,
    IdsClipFormat = 40344,
    IdsClipWebP = 40345,
    IdsClipGif = 40346,
    IdsClipEstimate = 40347,      // %1 frames, %2 x %3 pixels, %4 the size
    IdsClipLarge = 40348,
    IdsClipTooLarge = 40349,      // %1 the largest side in pixels
    IdsClipProgress = 40350,      // %1 of %2 positions, %3 seconds left
    IdsClipCancel = 40351,
    IdsClipNotSaved = 40352,
    IdsClipNotExact = 40353,
    IdsClipWebPFilter = 40354,
    IdsClipGifFilter = 40355,
    IdsClipNoRange = 40356,
    IdsClipPositions = 40357,     // the range's caption
    IdsClipGifInexact = 40358,    // GIF with scaled or overlaid frames
};

// The UTF-8 text of a string table entry, or an empty text for an unknown id.
const char *StringTableText(int id);

} // namespace ostrel
