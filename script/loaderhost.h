#pragma once

// What the loader asks of the program that owns the model: the window shows
// the messages as message boxes, the command-line tools print them.
class LoaderHost {
public:
    virtual ~LoaderHost() = default;

    // The file has been opened: return the replay to its start.
    virtual void ResetToStart() = 0;
    // The old model is about to be freed: forget every reference into it
    // (the highlighted fight step, the grid's entrants) without redrawing.
    virtual void ReleaseModelReferences() = 0;
    // Shows the string-table message id (captioned with IdsLoaderCaption).
    virtual void ShowLoaderMessage(int id) = 0;
    // Memory ran out: shows IdsMemoryFailure and ends the program with exit
    // code 1. Never returns to the loader in the program; a test host may
    // throw instead.
    virtual void MemoryFailure() = 0;
};
