# The load command: its word counts, files that cannot be read, files that
# are no hotlap replays, and the outcomes of filing a replay's best lap.
replay good.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,23,45,6
replay slower.spr racer=rokan2 track=Blackwood code=bl1 car="XR GT TURBO" time=1,24,0,0
replay faster.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,22,0,0
replay other.spr racer=mika track=Blackwood code=BL1 car="XR GT TURBO" time=1,25,0,0
replay tie.spr racer=tied track=Blackwood code=BL1 car="XR GT TURBO" time=1,25,0,0
replay Rokan2.spr racer=Rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,30,0,0
replay notmagic.spr magic=LFSSPX
replay nothotlap.spr hotlap=0
file empty.spr b""
dir folder.spr
stdin:
<l
<load a.spr b.spr
<l missing.spr
<l folder.spr
<l empty.spr
<l notmagic.spr
<l nothotlap.spr
<l good.spr
<l good.spr
<l slower.spr
<l other.spr
<l tie.spr
<l Rokan2.spr
<l faster.spr
<L empty.spr
<l good.spr extra words
<pdb
<q
stdout:
|ZEB> \tsyntax: l (or load) replay.spr$
|ZEB> \t(extra parameters ignored)$
|\tError opening file: a.spr$
|ZEB> \tError opening file: missing.spr$
|ZEB> \tfolder.spr: 0 replay files, 0 filed$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> \tgood.spr loaded!$
|\tappended at pos 0$
|ZEB> \tgood.spr loaded!$
|\tdata already exist in db$
|ZEB> \tslower.spr loaded!$
|\tracer has a better laptime in the database$
|ZEB> \tother.spr loaded!$
|\tappended at pos 1$
|ZEB> \ttie.spr loaded!$
|ZEB> \tRokan2.spr loaded!$
|\tappended at pos 2$
|ZEB> \tfaster.spr loaded!$
|\tabout to update racer's laptime$
|\tinserted at pos: 0$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> \t(extra parameters ignored)$
|\tgood.spr loaded!$
|\tracer has a better laptime in the database$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:22.000 (1)$
|1\tmika\t\tBL1\tXR GT TURBO    \t01:25.000 (1)$
|2\tRokan2\t\tBL1\tXR GT TURBO    \t01:30.000 (1)$
|$
|ZEB> %
