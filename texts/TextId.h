#pragma once

// Every text the programs show, by its role. Each language build carries one
// table that gives a text for every role (see TextSet.h). Texts that read the
// same in both builds have roles too, so that no visible text lives in code.
// Where a text is built around a number or a file name, the fixed pieces
// before and after it are separate roles ("...Before" / "...After").
enum class TextId : int {
  // ---- Shared by both programs -------------------------------------------
  CaptionProgrammer,  // title of the programs' messages and about boxes
  MakerName,          // the maker, as named in the version record
  MakerWebAddress,    // the maker's web address in both about boxes

  // ---- Version record of the program files -------------------------------
  VersionComments,              // comments, both programs
  VersionInternalName,          // internal name, both programs
  VersionPrivateBuild,          // private build, both programs
  VersionSpecialBuild,          // special build, both programs
  ViewerProgramName,            // product name and file name of the viewer deliverable
  ViewerVersionDescription,     // file description of the viewer
  ViewerVersionNumber,          // numeric file and product version of the viewer
  ViewerVersionFileVersion,     // file version string of the viewer
  ViewerVersionProductVersion,  // product version string of the viewer
  EditorProgramName,            // product name and file name of the editor deliverable
  EditorVersionDescription,     // file description of the editor
  EditorVersionNumber,          // numeric file and product version of the editor
  EditorVersionFileVersion,     // file version string of the editor
  EditorVersionProductVersion,  // product version string of the editor

  // ---- Viewer main window: title and page captions -----------------------
  ViewerWindowTitle,      // caption before any document is shown
  ViewerCaptionPage,      // "Página " + page ...: after a load, a cache read or a link jump
  ViewerCaptionPageFlip,  // "Pagina " + page ...: after a page flip, a guide move or "Ir a"
  ViewerCaptionOf,        // between the page and the page count
  ViewerCaptionLoading,   // after the page number while a document loads

  // ---- Viewer menu bar ---------------------------------------------------
  ViewerMenuFiles,                       // popup title
  ViewerMenuNew,                         //   item, command 1046
  ViewerMenuSaveImage,                   //   item, command 1070
  ViewerMenuAuthor,                      //   item, command 1048
  ViewerMenuExit,                        //   item, command 1047
  ViewerMenuEdit,                        // popup title
  ViewerMenuUpdate,                      //   item, command 1078
  ViewerMenuUndo,                        //   item, command 1084
  ViewerMenuGoTo,                        //   item, command 1085
  ViewerMenuPersonalize,                 // popup title
  ViewerMenuSetUp,                       //   item, command 1077, opens the configurator
  ViewerMenuUnderlines,                  // popup title
  ViewerMenuSelectorSwitch,              //   item, command 1072
  ViewerMenuUnderlineWholeLine,          //   item, command 1073
  ViewerMenuUnderlineVertical,           //   item, command 1074
  ViewerMenuUnderlinePiece,              //   item, command 1075
  ViewerMenuUnderlineTwoColours,         //   item, command 1076
  ViewerMenuUnderlineLink,               //   item, command 1086
  ViewerMenuUnderlineBold,               //   item, command 1088
  ViewerMenuColours,                     // popup title
  ViewerMenuFavouriteColours,            //   item, command 1079
  ViewerMenuColourHorizontal,            //   item, command 1080
  ViewerMenuColourVertical,              //   item, command 1081
  ViewerMenuColourTwoColourBackground,   //   item, command 1082
  ViewerMenuColourTwoColourText,         //   item, command 1083
  ViewerMenuColourLink,                  //   item, command 1087
  ViewerMenuAlignment,                   // popup title
  ViewerMenuAlignLeft,                   //   item, command 1090
  ViewerMenuAlignCentre,                 //   item, command 1091
  ViewerMenuAlignRight,                  //   item, command 1092
  ViewerMenuRead,                        // popup title
  ViewerMenuGuideReader,                 //   item, command 1093

  // ---- Viewer messages, prompts and file dialog --------------------------
  ViewerStartupFailure,      // the viewer cannot start its picture services
  ViewerMessageCacheRead,    // before the cached document is read at start-up
  ViewerAboutMadeBy,         // about box, line 1; the web address follows on line 2
  ViewerAboutVisitMe,        // about box, line 3
  ViewerMessageNotTwoLines,  // vertical bar asked for with other than two lines
  ViewerMessageMarksFull,    // a mark entry no longer fits its line's list
  ViewerMessageTooManyPages, // the text had more than 200 pages; the rest was dropped
  ViewerMessagePictureNameBefore,  // + picture file + ...After: no record can keep its name
  ViewerMessagePictureNameAfter,
  ViewerQuestionKeptMarks,   // New: a kept version of the chosen text; %1 day, %2 time, %3 marks
  ViewerPagePrompt,          // page-number input box ("Ir a", link target)
  ViewerPagePromptTitleFrom, // input box title: this + " a " + page count
  ViewerPagePromptTitleTo,   // input box title: between "De 1" and the page count
  ViewerFileFilter,          // open-file dialog: filter description
  ErrorPrefix,               // "Err: " + error number + description (palette write, printer)

  // ---- Picture loader messages (title stays Spanish in both builds) ------
  ImageLoaderCaption,
  ImageLoaderMissingBefore,    // + file name + ImageLoaderMissingAfter
  ImageLoaderMissingAfter,
  ImageLoaderReadErrorBefore,  // + file name + ImageLoaderReadErrorAfter
  ImageLoaderReadErrorAfter,

  // ---- Page number line (line 68 of each page) ---------------------------
  PageNumberWord,  // put before the number when the page word is on

  // ---- Configurator dialog -----------------------------------------------
  ConfiguratorTitle,
  ConfiguratorFormatHeading,  // 3301
  ConfiguratorFormatPng,      // 3302
  ConfiguratorFormatJpg,      // 3303
  ConfiguratorFormatTif,      // 3304
  ConfiguratorFormatBmp,      // 3305
  ConfiguratorFormatGif,      // 3306
  ConfiguratorFormatPdf,      // 3358
  ConfiguratorFooter1Heading,    // 3307
  ConfiguratorFooter1Show,       // 3308
  ConfiguratorFooter1Position,   // 3309
  ConfiguratorFooter1FontSize,   // 3313
  ConfiguratorFooter1FontStyle,  // 3315
  ConfiguratorFooter1Text,       // 3332
  ConfiguratorFooter2Heading,    // 3321
  ConfiguratorFooter2Show,       // 3322
  ConfiguratorFooter2Position,   // 3320
  ConfiguratorFooter2FontSize,   // 3326
  ConfiguratorFooter2FontStyle,  // 3328
  ConfiguratorFooter2Text,       // 3335
  ConfiguratorAlignLeft,    // 3310, 3323, 3339
  ConfiguratorAlignCentre,  // 3311, 3324, 3340
  ConfiguratorAlignRight,   // 3312, 3325, 3341
  ConfiguratorFontSize09,  // items of the lists 3314, 3327, 3343; read back as numbers
  ConfiguratorFontSize10,
  ConfiguratorFontSize11,
  ConfiguratorFontSize12,
  ConfiguratorStyleBold,       // 3316, 3329
  ConfiguratorStyleItalic,     // 3317, 3330
  ConfiguratorStyleUnderline,  // 3318, 3331
  ConfiguratorPageNumberHeading,     // 3337
  ConfiguratorPageNumberShow,        // 3338
  ConfiguratorPageNumberPosition,    // 3336
  ConfiguratorPageNumberFontSize,    // 3342
  ConfiguratorPageNumberProperties,  // 3344
  ConfiguratorPageNumberWithWord,    // 3345
  ConfiguratorNumberingHeading,      // 3347
  ConfiguratorNumberingArabic,       // 3348
  ConfiguratorNumberingRoman,        // 3349
  ConfiguratorRomanUpper,            // 3350
  ConfiguratorRomanLower,            // 3351
  ConfiguratorSelectorHeading,  // 3354
  ConfiguratorSelectorRounded,  // 3355
  ConfiguratorSelectorSquare,   // 3356
  ConfiguratorExit,             // 3357
  ConfiguratorMessageFooterMissing,  // an enabled footer has no text

  // ---- Export dialog and its completion messages -------------------------
  ExportTitle,
  ExportHeading,           // 7001
  ExportSinglePageBefore,  // 7002: + current page number + ExportSinglePageAfter
  ExportSinglePageAfter,
  ExportRange,             // 7003
  ExportRangeTo,           // 7005, between the two range boxes
  ExportAllPages,          // 7007
  ExportFolderLabel,       // 7010
  ExportSave,              // 7011
  ExportPrint,             // 7013
  ExportExit,              // 7012
  ExportMessagePageDone,      // after exporting the current page
  ExportMessageRangeDone,     // after exporting a range
  ExportMessageDocumentDone,  // after exporting all pages
  ExportMessageBadFolderName, // a folder name refused for what it holds; the dialog stays open

  // ---- Print set-up dialog and printing messages -------------------------
  // The list items are read back by their leading number, so each starts
  // with the value it stands for.
  PrintTitle,
  PrintCopiesLabel,  // 1001
  PrintCopies01,     // items of list 1002
  PrintCopies02,
  PrintCopies03,
  PrintCopies04,
  PrintCopies05,
  PrintCopies10,
  PrintColourModeLabel,   // 1004
  PrintColourMonochrome,  // items of list 1005
  PrintColourColour,
  PrintQualityLabel,   // 1008
  PrintQualityDraft,   // items of list 1007
  PrintQualityLow,
  PrintQualityMedium,
  PrintQualityHigh,
  PrintContinue,  // 1009
  PrintMessageNoDefaultPrinter,

  // ---- Favourite-colours dialog ------------------------------------------
  ColoursTitle,
  ColoursSave,             // 31002
  ColoursReset,            // 31004
  ColoursExit,             // 31003
  ColoursSelectedCaption,  // panel 31005
  ColoursMessageSaved,
  ColoursQuestionSaveOnExit,
  ColoursQuestionReset,             // first line of the reset question
  ColoursQuestionResetConsequence,  // its second line

  // ---- Editor window -----------------------------------------------------
  EditorWindowTitle,
  EditorRuler,               // initial text of the text box: columns 1..93 and a "*"
  EditorStatusLinesInitial,  // status part 1 before the first count
  EditorStatusPagesInitial,  // status part 2 before the first count
  EditorStatusLinesSuffix,   // after the line count
  EditorStatusPagesSuffix,   // after the page count

  // ---- Editor menu bar ---------------------------------------------------
  EditorMenuFiles,                       // popup title
  EditorMenuNew,                         //   item, command 1010
  EditorMenuReadPlain,                   //   item, command 1002
  EditorMenuWriteFormatted,              //   item, command 1003
  EditorMenuWriteUnformatted,            //   item, command 1004
  EditorMenuAuthor,                      //   item, command 1005
  EditorMenuExit,                        //   item, command 1006
  EditorMenuEdit,                        // popup title
  EditorMenuFind,                        //   item, command 1007
  EditorMenuReplace,                     //   item, command 1011

  // ---- Editor messages, about box and file dialogs -----------------------
  EditorMessageLoaded,          // after reading a file
  EditorMessageSavedFormatted,  // after writing cache.txt
  EditorMessageSavedPlain,      // after writing without format
  EditorAboutHope,              // about box, line 1
  EditorAboutComplement,        // about box, line 2
  EditorAboutMadeBy,            // about box, line 3, before the web address
  EditorAboutVisitMe,           // about box, line 5 (line 4 is empty)
  EditorFindTitle,              // title of the find and replace messages
  EditorMessageNoMatches,
  EditorMessageNoOtherResults,  // after a replacement
  EditorOpenFilter,  // open dialog: filter description and default extension
  EditorSaveFilter,  // save dialog: filter description and default extension

  // ---- Editor find and replace dialogs -----------------------------------
  EditorFindDialogTitle,
  EditorReplaceDialogTitle,
  EditorFindWhatLabel,      // before the find text, 1152
  EditorReplaceWithLabel,   // before the replacement, 1153
  EditorWholeWordLabel,     // 1040
  EditorMatchCaseLabel,     // 1041
  EditorDirectionLabel,     // the group around 1056 and 1057
  EditorDirectionUp,        // 1056
  EditorDirectionDown,      // 1057
  EditorFindNextButton,     // 1
  EditorReplaceButton,      // 1024
  EditorReplaceAllButton,   // 1025
  EditorCancelButton,       // 2

  // ---- Keys, opening from outside, changed text, export folder ----
  EditorQuestionDiscard,  // before New, Read, Exit or a close drop changed text
  // ---- Find and go back ---------------------------------------------------
  ViewerMenuFind,              // "Edit" item, command 1094
  ViewerMenuFindNext,          // "Edit" item, command 1095
  ViewerMenuFindPrevious,      // "Edit" item, command 1096
  ViewerMenuGoBack,            // "Edit" item, command 1097
  ViewerFindTitle,             // title of the input box for the text to find
  ViewerFindPrompt,            // its prompt
  ViewerFindNotFoundBefore,    // message: before the text searched for
  ViewerFindNotFoundAfter,     //   and after it
  ViewerCaptionMatch,          // caption: between the page and the hit's place
  // ---- Kept documents that cannot be kept ----
  ViewerMessageKeepFailed,  // after the error: New stopped before opening the text
  // ---- Study notes -------------------------------------------------------
  StudyNotesMenuItem,    // "Read" item, command 1098; the sheet's title when the text has no name
  StudyNotesFileEnding,  // after the text's name in the proposed file name
  StudyNotesFilter,      // save dialog: filter description
  StudyNotesLinkArrow,   // before a link's target page
  StudyNotesNoMarks,     // the sheet of a document without marks
  StudyNotesSaved,       // after writing the sheet; its path follows on a line of its own

  Count
};
