"""Compares the figures of two runs of bench/run (their JSON files)."""


def regressions(earlier, later):
    """Texts naming each figure of `later` that is worse than in `earlier` by
    more than the larger of the two measured spreads. Figures that only one
    of the runs has are left out."""
    found = []
    for name in sorted(later):
        now, before = later[name], earlier.get(name)
        if before is None or before.get("better") != now["better"]:
            continue
        change = now["value"] - before["value"]
        worse = change if now["better"] == "lower" else -change
        allowed = max(now["spread"], before["spread"])
        if worse > allowed:
            found.append("%s: %.4g %s, was %.4g (worse by %.4g, spread %.4g)"
                         % (name, now["value"], now["unit"], before["value"], worse, allowed))
    return found
