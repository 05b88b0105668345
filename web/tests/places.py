"""Where an element's middle is on the page, for a click or a tap."""


def centre(page, element_id):
    return page.eval(f"(r => [r.x + r.width / 2, r.y + r.height / 2])"
                     f"(document.getElementById('{element_id}').getBoundingClientRect())")
