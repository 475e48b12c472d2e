# Each argument is loaded in order with the load's own messages, failures
# included, before the first prompt.
replay a.spr racer=alpha time=1,20,0,0
replay b.spr racer=beta time=1,19,0,0
replay -x.spr racer=dash time=1,21,0,0
replay "with blank.spr" racer=blank time=1,22,0,0
args: a.spr missing.spr b.spr -x.spr "" "with blank.spr" a.spr
stdin:
<pdb
<p
<l with blank.spr
<q
stdout:
|\ta.spr loaded!$
|\tappended at pos 0$
|\tError opening file: missing.spr$
|\tb.spr loaded!$
|\tinserted at pos: 0$
|\t-x.spr loaded!$
|\tappended at pos 2$
|\tError opening file: $
|\twith blank.spr loaded!$
|\tappended at pos 3$
|\ta.spr loaded!$
|\tdata already exist in db$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tbeta\t\tBL1\tXR GT TURBO    \t01:19.000 (1)$
|1\talpha\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|2\tdash\t\tBL1\tXR GT TURBO    \t01:21.000 (1)$
|3\tblank\t\tBL1\tXR GT TURBO    \t01:22.000 (1)$
|$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\t0.6T$
|Track code:\tBL1$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tBlackwood$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\talpha$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t5121$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:20.000 (5121)$
|Local player:\tracer$
|ZEB> \t(extra parameters ignored)$
|\tError opening file: with$
|ZEB> %
