#pragma once

namespace tramora { } // namespace tramora
