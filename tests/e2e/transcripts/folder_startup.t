# Start-up arguments that name folders load like the load word does, mixed
# in order with single files; a folder given as a link is walked too.
dir r
dir r/c1
dir r/c2
replay r/c1/1.spr racer=one time=1,20,0,0
replay r/c1/2.spr racer=two time=1,21,0,0
replay r/c2/1.spr racer=one time=1,19,0,0
replay r/c2/2.spr racer=two time=1,25,0,0
replay single.spr racer=three time=1,22,0,0
symlink via r/c2
args: single.spr r via/ missing/ single.spr
stdin:
<pdb
<p
<q
stdout:
|\tsingle.spr loaded!$
|\tappended at pos 0$
|\tr/c1/1.spr loaded!$
|\tinserted at pos: 0$
|\tr/c1/2.spr loaded!$
|\tinserted at pos: 1$
|\tr/c2/1.spr loaded!$
|\tabout to update racer's laptime$
|\tinserted at pos: 0$
|\tr/c2/2.spr loaded!$
|\tracer has a better laptime in the database$
|\tr: 4 replay files, 3 filed$
|\tvia/1.spr loaded!$
|\tdata already exist in db$
|\tvia/2.spr loaded!$
|\tracer has a better laptime in the database$
|\tvia/: 2 replay files, 0 filed$
|\tError opening file: missing/$
|\tsingle.spr loaded!$
|\tdata already exist in db$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tone\t\tBL1\tXR GT TURBO    \t01:19.000 (1)$
|1\ttwo\t\tBL1\tXR GT TURBO    \t01:21.000 (1)$
|2\tthree\t\tBL1\tXR GT TURBO    \t01:22.000 (1)$
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
|S2 username:\tthree$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t5633$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:22.000 (5633)$
|Local player:\tracer$
|ZEB> %
