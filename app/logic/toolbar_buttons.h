// The toolbar's entries: the same table creates the toolbar, fills the
// customisation dialog and resets the toolbar. The image counts 24 x 24
// images in the toolbar strip (bitmap 4000); a separator has image and
// command 0.
#pragma once

struct ToolbarEntry {
    bool separator;
    int image;
    int command;
};

constexpr int kToolbarEntryCount = 17;
constexpr int kToolbarImageCount = 15;

extern const ToolbarEntry toolbar_buttons[kToolbarEntryCount];

// The entry the customisation dialog asks for, or nullptr for an index
// outside the table (which ends the dialog's list).
const ToolbarEntry* ToolbarEntryAt(int index);

// Text of every entry in the customisation dialog's lists.
extern const char kToolbarButtonText[];  // "Buttonsymbol"
extern const char kToolbarHelpText[];    // the customisation dialog's help box
extern const char kToolbarHelpCaption[];
