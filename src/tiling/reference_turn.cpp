#include "reference_turn.h"

namespace mosaren {

std::mutex& ReferenceTurn() {
    static std::mutex turn;
    return turn;
}

}  // namespace mosaren
