// Placeholder until the help topic finder is merged; replaced, never shipped.
#include "app/RavelonU1.h"

namespace ravelon {

void TForm1::SearchTopicActionExecute() {}

}  // namespace ravelon
