#pragma once

namespace yinshi {

struct Engine;

// Shows jg.dat again, repeated factors compacted, and files every
// parenthesised factor in dj.dat (ItemCount records); dj.dat stays open.
void ShowTranscript(Engine& e);

}  // namespace yinshi
