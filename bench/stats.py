"""Medians and spreads of repeated measurements, and the figures that
bench/run keeps in its JSON file to compare runs."""


def quantile(values, q):
    """The q-quantile (0 to 1) of `values`, interpolating between neighbours."""
    ordered = sorted(values)
    if not ordered:
        raise ValueError("no values")
    at = q * (len(ordered) - 1)
    low = int(at)
    high = min(low + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (at - low)


def median(values):
    return quantile(values, 0.5)


def quartiles(values):
    """(first quartile, median, third quartile)."""
    return quantile(values, 0.25), quantile(values, 0.5), quantile(values, 0.75)


def figure(value, spread, unit, better):
    """One figure for the JSON file: `better` is "higher" or "lower"; a later
    run is worse when it moves the other way by more than the spread."""
    assert better in ("higher", "lower")
    return {"value": value, "spread": abs(spread), "unit": unit, "better": better}


def median_figure(values, unit, better):
    """The median of repeated measurements, with their interquartile range as
    its spread."""
    q1, middle, q3 = quartiles(values)
    return figure(middle, q3 - q1, unit, better)
