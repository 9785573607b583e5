#include "Resource.h"
#include "ViewerModule.h"
#include "framework/cmd/CommandIds.h"

// The fly-by prompts and tooltips of the framework's commands (the text
// before the line break shows in the status bar, the text after it as the
// button's tooltip).
void RegisterViewerPrompts(CModule& m)
{
    const struct {
        UINT id;
        const char* text;
    } prompts[] = {
        {ID_FILE_OPEN, "Open an existing image\nOpen"},
        {ID_FILE_CLOSE, "Close the active document window\nClose"},
        {ID_FILE_SAVE_AS, "Save the active metafile as an enhanced metafile\nSave As"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_FILE_PRINT, "Print the active image\nPrint"},
        {ID_FILE_PRINT_PREVIEW, "Display the image as it will be printed\nPrint Preview"},
        {ID_FILE_SEND_MAIL, "Send the active image through electronic mail\nSend Mail"},
        {ID_FILE_MRU_FILE1, "Open this image"},
        {ID_APP_EXIT, "Quit the application\nExit"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_WINDOW_NEW, "Open another window for the active image\nNew Window"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
        {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {ID_WINDOW_TILE_VERT, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {ID_WINDOW_SPLIT, "Split the active window into panes\nSplit"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
        {ID_CONTEXT_HELP, "Display help for clicked buttons, menus and windows\nHelp"},
        {ID_HELP, "Display help for current task or command\nHelp"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    };
    for (const auto& p : prompts)
        m.AddString(p.id, QString::fromUtf8(p.text));
}
