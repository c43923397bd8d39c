// SPDX-License-Identifier: MIT
#include "core/Model.h"

namespace vste {

TCat TWestwoodStrings::GetCategories() const {
    TCategory all;
    all.Name = "All strings";
    all.IDs.reserve(Body.size());
    for (std::uint32_t i = 0; i < LabelCount(); ++i)
        all.IDs.push_back(static_cast<std::int32_t>(i));
    return TCat{std::move(all)};
}

std::string_view FieldName(Field field) {
    switch (field) {
    case Field::Name:
        return "name";
    case Field::Value:
        return "value";
    case Field::Extra:
        return "extra";
    }
    return "name";
}

} // namespace vste
