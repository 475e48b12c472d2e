# print shows the header last read, once a replay has been loaded.
replay completed.spr racer=rokan2 track=Blackwood code= config=1 reversed=1 mass=77 car="XR GT TURBO" splits=2 split1=-5 time=1,23,45,6 split3=123456 split4=-2 qual=10 laps=255 skill=3 wind=2 intake=45 weather=2 players=12 flags=65535 lap=9 version=0.6T local=somebody
replay lower_code.spr racer=mika track=Blackwood code=bl1 mass=45 splits=0
replay five_splits.spr splits=5
replay notmagic.spr magic=ABCDEFG version=X track=Other
dir folder.spr
file short.spr b"LFSSPR\0" + b"\0" * 8 + b"\1" + b"0.9\0" + b"\0" * 4
stdin:
<print
<p extra
<l completed.spr
<p
<l lower_code.spr
<print
<l five_splits.spr
<p
<l notmagic.spr
<p
<l missing.spr
<p
<l folder.spr
<p
<l short.spr
<p
<q
stdout:
|ZEB> \tno replay found$
|\tuse 'l replay.spr' to load one$
|ZEB> \t(extra parameters ignored)$
|\tno replay found$
|\tuse 'l replay.spr' to load one$
|ZEB> \tcompleted.spr loaded!$
|\tappended at pos 0$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t10$
|Laps byte:\t255$
|Skill level:\t3$
|Wind strength:\t2$
|Hotlap mode:\t1$
|LFS version:\t0.6T$
|Track code:\tBL1R$
|Added mass:\t0$
|Intake restr.:\t45$
|Track name:\tBlackwood$
|Configuration:\t1$
|Reversed:\t1$
|S2 username:\trokan2$
|Car name:\tXR GT TURBO$
|Weather:\t2$
|# of players:\t12$
|Player flags:\t65535$
|Best lap\t9$
|# of splits:\t2$
|1st split:\t-5$
|2nd split:\t103618305$
|3rd split:\t123456$
|4th split:\t-2$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tsomebody$
|ZEB> \tlower_code.spr loaded!$
|\tappended at pos 0$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\t0.6T$
|Track code:\tBL1$
|Added mass:\t45$
|Intake restr.:\t0$
|Track name:\tBlackwood$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tmika$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t0$
|1st split:\t0$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t127:127.127127 (2139062143)$
|Local player:\tracer$
|ZEB> \tfive_splits.spr loaded!$
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
|S2 username:\tracer$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t5$
|1st split:\t0$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t127:127.127127 (2139062143)$
|Local player:\tracer$
|ZEB> \tnot loaded (this is not a hotlap file)$
|ZEB> LFSSPR:\t\tABCDEFG$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\tX$
|Track code:\tBL1$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tOther$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tracer$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t103618305$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tracer$
|ZEB> \tError opening file: missing.spr$
|ZEB> LFSSPR:\t\tABCDEFG$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\tX$
|Track code:\tBL1$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tOther$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tracer$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t103618305$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tracer$
|ZEB> \tfolder.spr: 0 replay files, 0 filed$
|ZEB> LFSSPR:\t\tABCDEFG$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\tX$
|Track code:\tBL1$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\tOther$
|Configuration:\t1$
|Reversed:\t0$
|S2 username:\tracer$
|Car name:\tXR GT TURBO$
|Weather:\t0$
|# of players:\t1$
|Player flags:\t0$
|Best lap\t1$
|# of splits:\t1$
|1st split:\t103618305$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t01:23.456 (103618305)$
|Local player:\tracer$
|ZEB> \tshort.spr loaded!$
|\tnot added to the database (unknown track, car or short track)$
|ZEB> LFSSPR:\t\tLFSSPR$
|Qual mins:\t0$
|Laps byte:\t0$
|Skill level:\t0$
|Wind strength:\t0$
|Hotlap mode:\t1$
|LFS version:\t0.9$
|Track code:\t$
|Added mass:\t0$
|Intake restr.:\t0$
|Track name:\t$
|Configuration:\t0$
|Reversed:\t0$
|S2 username:\t$
|Car name:\t$
|Weather:\t0$
|# of players:\t0$
|Player flags:\t0$
|Best lap\t0$
|# of splits:\t0$
|1st split:\t0$
|2nd split:\t0$
|3rd split:\t0$
|4th split:\t0$
|Best lfstime:\t127:127.127127 (2139062143)$
|Local player:\t$
|ZEB> %
