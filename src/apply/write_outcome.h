// What became of one setting the apply pipeline asked to store.
#pragma once

namespace netquill {

enum class WriteOutcome {
    kWritten,   // every value was stored
    kSkipped,   // there was nothing to store, and that is no fault
    kRejected,  // the text was refused before anything was written; the stored values stay
    kFailed,    // the registry refused at least one write; the others were still attempted
};

}  // namespace netquill
