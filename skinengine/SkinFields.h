#pragma once
// Every field of a skin. The reader requires each of them exactly once; tools/skinc.py
// parses these two tables too, so the compiler and the reader share one list of ids.
// Keep one entry per line: X(id, "source key", member) for colours (three bytes R, G, B),
// X(id, "source key", member, "range") for one-byte values, where the range is either
// "lo..hi" or a list of names whose position is the stored value.

#define QT_SKIN_COLOURS(X)                                                                         \
    X(0x0101, "frame.outer", frameOuter)                                                           \
    X(0x0102, "frame.fill", frameFill)                                                             \
    X(0x0103, "frame.inner", frameInner)                                                           \
    X(0x0104, "frame.light", frameLight)                                                           \
    X(0x0105, "frame.inactive_fill", frameInactiveFill)                                            \
    X(0x0110, "caption.top", captionTop)                                                           \
    X(0x0111, "caption.bottom", captionBottom)                                                     \
    X(0x0112, "caption.inactive_top", captionInactiveTop)                                          \
    X(0x0113, "caption.inactive_bottom", captionInactiveBottom)                                    \
    X(0x0114, "caption.text", captionText)                                                         \
    X(0x0115, "caption.inactive_text", captionInactiveText)                                        \
    X(0x0116, "caption.shadow", captionShadow)                                                     \
    X(0x0117, "caption.line", captionLine)                                                         \
    X(0x0120, "client.top", clientTop)                                                             \
    X(0x0121, "client.bottom", clientBottom)                                                       \
    X(0x0122, "client.pattern", clientPattern)                                                     \
    X(0x0123, "client.text", clientText)                                                           \
    X(0x0124, "client.disabled_text", clientDisabledText)                                          \
    X(0x0130, "button.top", buttonTop)                                                             \
    X(0x0131, "button.bottom", buttonBottom)                                                       \
    X(0x0132, "button.border", buttonBorder)                                                       \
    X(0x0133, "button.text", buttonText)                                                           \
    X(0x0134, "button.hover_top", buttonHoverTop)                                                  \
    X(0x0135, "button.hover_bottom", buttonHoverBottom)                                            \
    X(0x0136, "button.hover_border", buttonHoverBorder)                                            \
    X(0x0137, "button.hover_text", buttonHoverText)                                                \
    X(0x0138, "button.pressed_top", buttonPressedTop)                                              \
    X(0x0139, "button.pressed_bottom", buttonPressedBottom)                                        \
    X(0x013A, "button.pressed_border", buttonPressedBorder)                                        \
    X(0x013B, "button.pressed_text", buttonPressedText)                                            \
    X(0x013C, "button.disabled_face", buttonDisabledFace)                                          \
    X(0x013D, "button.disabled_border", buttonDisabledBorder)                                      \
    X(0x013E, "button.disabled_text", buttonDisabledText)                                          \
    X(0x013F, "button.focus", buttonFocus)                                                         \
    X(0x0140, "check.back", checkBack)                                                             \
    X(0x0141, "check.border", checkBorder)                                                         \
    X(0x0142, "check.hover_border", checkHoverBorder)                                              \
    X(0x0143, "check.mark", checkMark)                                                             \
    X(0x0150, "combo.back", comboBack)                                                             \
    X(0x0151, "combo.border", comboBorder)                                                         \
    X(0x0152, "combo.hover_border", comboHoverBorder)                                              \
    X(0x0153, "combo.text", comboText)                                                             \
    X(0x0154, "combo.button_top", comboButtonTop)                                                  \
    X(0x0155, "combo.button_bottom", comboButtonBottom)                                            \
    X(0x0156, "combo.arrow", comboArrow)                                                           \
    X(0x0160, "list.back", listBack)                                                               \
    X(0x0161, "list.text", listText)                                                               \
    X(0x0162, "list.select_back", listSelectBack)                                                  \
    X(0x0163, "list.select_text", listSelectText)                                                  \
    X(0x0170, "sysbutton.top", sysTop)                                                             \
    X(0x0171, "sysbutton.bottom", sysBottom)                                                       \
    X(0x0172, "sysbutton.border", sysBorder)                                                       \
    X(0x0173, "sysbutton.glyph", sysGlyph)                                                         \
    X(0x0174, "sysbutton.hover_top", sysHoverTop)                                                  \
    X(0x0175, "sysbutton.hover_bottom", sysHoverBottom)                                            \
    X(0x0176, "sysbutton.hover_glyph", sysHoverGlyph)                                              \
    X(0x0177, "sysbutton.pressed_top", sysPressedTop)                                              \
    X(0x0178, "sysbutton.pressed_bottom", sysPressedBottom)                                        \
    X(0x0179, "sysbutton.pressed_glyph", sysPressedGlyph)                                          \
    X(0x017A, "sysbutton.close_hover_top", sysCloseHoverTop)                                       \
    X(0x017B, "sysbutton.close_hover_bottom", sysCloseHoverBottom)                                 \
    X(0x017C, "sysbutton.close_pressed_top", sysClosePressedTop)                                   \
    X(0x017D, "sysbutton.close_pressed_bottom", sysClosePressedBottom)                             \
    X(0x0180, "menu.back", menuBack)

#define QT_SKIN_BYTES(X)                                                                           \
    X(0x0201, "frame.style", frameStyle, "flat raised double")                                     \
    X(0x0202, "frame.radius", frameRadius, "0..12")                                                \
    X(0x0203, "frame.bottom_radius", frameBottomRadius, "0..12")                                   \
    X(0x0210, "caption.gradient", captionGradient, "vertical horizontal glass split")              \
    X(0x0211, "caption.align", captionAlign, "left center")                                        \
    X(0x0212, "caption.bold", captionBold, "no yes")                                               \
    X(0x0213, "caption.text_shadow", captionTextShadow, "no yes")                                  \
    X(0x0214, "caption.icon", captionIcon, "no yes")                                               \
    X(0x0220, "client.pattern_style", clientPatternStyle, "none lines diagonal dots grid")         \
    X(0x0221, "client.pattern_spacing", clientPatternSpacing, "2..24")                             \
    X(0x0230, "button.style", buttonStyle, "flat gradient glossy bevel accent")                    \
    X(0x0231, "button.radius", buttonRadius, "0..16")                                              \
    X(0x0232, "button.border_width", buttonBorderWidth, "0..3")                                    \
    X(0x0233, "button.focus_style", buttonFocusStyle, "dotted ring bar")                           \
    X(0x0240, "check.style", checkStyle, "classic filled square ring")                             \
    X(0x0250, "combo.style", comboStyle, "button flat divider")                                    \
    X(0x0251, "combo.radius", comboRadius, "0..8")                                                 \
    X(0x0252, "combo.arrow_style", comboArrowStyle, "triangle chevron")                            \
    X(0x0260, "sysbutton.shape", sysShape, "square rounded circle glyph tab")                      \
    X(0x0261, "sysbutton.glyph_weight", sysGlyphWeight, "1..4")
