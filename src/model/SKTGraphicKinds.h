#pragma once
// Every element kind.
#include "canvas/model/SKTBarcode.h"
#include "canvas/model/SKTImage.h"
#include "canvas/model/SKTLine.h"
#include "canvas/model/SKTSignature.h"
#include "canvas/model/SKTText.h"
#include "canvas/model/Shape_Control.h"
