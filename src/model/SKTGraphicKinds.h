#pragma once
// Every element kind.
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
