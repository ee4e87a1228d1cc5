// The state each object of a dialog is drawn in, object by object: its initial state ("Attr"),
// or whatever a play of the dialog has made of it. The painter asks a source for every object it
// draws; without one it draws the pictures of one state for all (or the Normal ones).
#pragma once

#include <string>

class CObjectData;

namespace kx {

// Indexes of the object states ("Attr"), in the order of their word table.
enum ObjectState : int {
    kStateNormal = 0,
    kStateDisable = 1,
    kStateActive = 2,
    kStateFocus = 3,
    kStateDown = 4,
    kStateActDown = 5,
    kStateHide = 6,
};

// The slot of an image definition of this type that shows an object in the state: the slot
// named by the state's word, "Push" for Down and "ActPush" for ActDown. 0 (Normal) for the
// Normal state, -1 when the definition's type has no slot of that name (an edit box has no Push,
// a frame has only its strips, nothing shows Hide).
int StateSlot(int state, int imageType);

// Where the painter learns the state of an object, and the text an object shows in place of its
// own.
class IObjectStates {
public:
    virtual ~IObjectStates() = default;
    // An index of the object states; Hide draws nothing, for a group nothing of its children.
    virtual int StateOf(const CObjectData &object) const = 0;
    // The text (CP932) shown in place of the object's own, or none.
    virtual const std::string *TextOf(const CObjectData &) const { return nullptr; }
};

// Every object in its initial state, as the device opens the dialog.
class InitialStates final : public IObjectStates {
public:
    int StateOf(const CObjectData &object) const override;
};

} // namespace kx
