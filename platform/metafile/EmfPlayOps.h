#pragma once
// Player entries of the record table (EmfRecordTypes.h): each plays one
// parsed record on the context's device context with the platform's
// semantics. False: the record cannot be played.
#include "platform/metafile/EmfRecordTable.h"

namespace emfplay {

#define LUMIVU_EMF_DECLARE_PLAYER(name, value, reader, player) bool player(EmfPlayContext& ctx, const EmrPayload& r);
LUMIVU_EMF_RECORDS(LUMIVU_EMF_DECLARE_PLAYER)
#undef LUMIVU_EMF_DECLARE_PLAYER

} // namespace emfplay
