#include "render/object_states.h"

#include "model/object_data.h"
#include "model/vocabulary.h"

#include <string_view>

namespace kx {

int StateSlot(int state, int imageType)
{
    if (state == kStateNormal)
        return 0;
    // The pictures of a pressed button are called Push and ActPush; every other state shows the
    // picture of its own name.
    std::string_view word = ObjectStates().Word(state);
    if (state == kStateDown)
        word = "Push";
    else if (state == kStateActDown)
        word = "ActPush";
    if (word.empty())
        return -1;
    return ImageSlotWords(imageType).Find(word);
}

int InitialStates::StateOf(const CObjectData &object) const
{
    return object.Attr();
}

} // namespace kx
